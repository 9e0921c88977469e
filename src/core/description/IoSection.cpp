#include "description/IoSection.h"

#include <array>

#include "description/SectionScanner.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

// The register numbers of XReg and YReg. The list is searched from its end; the search
// stops at the first entry that matches neither name once both numbers are known.
void findIoRegisters(IoDefinition& io, const RegisterList& registers) {
    io.XRegNumber = 0xFFFF;
    io.YRegNumber = 0xFFFF;
    bool haveX = false;
    bool haveY = false;
    for (qsizetype i = registers.size() - 1; i >= 0; --i) {
        const RegisterEntry& r = registers[i];
        if (r.Name == io.XReg) {
            io.XRegNumber = r.Number;
            haveX = true;
        } else if (r.Name == io.YReg) {
            io.YRegNumber = r.Number;
            haveY = true;
        } else if (haveX && haveY) {
            break;
        }
    }
}

}  // namespace

DescriptionResult<IoDefinition> ReadIoSection(const QStringList& systemLines,
                                              const RegisterList& registers, const QString& file) {
    constexpr int kScanLimit = 100;
    const DescriptionText text(systemLines, file);
    const SectionErrors errors(text, QStringLiteral("[IODat]"));
    IoDefinition io;
    struct NumberKey {
        const char16_t* key;  // with its "="
        const char16_t* prefix;
        uint16_t IoDefinition::*field;
        const char16_t* fieldName;
    };
    static constexpr std::array<NumberKey, 5> kNumbers{{
        {u"X0_4=", u"X0_4=Pr", &IoDefinition::X0_4, u"X0_4"},
        {u"X5_9=", u"X5_9=Pr", &IoDefinition::X5_9, u"X5_9"},
        {u"X10_14=", u"X10_14=Pr", &IoDefinition::X10_14, u"X10_14"},
        {u"Y0_4=", u"Y0_4=Pr", &IoDefinition::Y0_4, u"Y0_4"},
        {u"Y5_9=", u"Y5_9=Pr", &IoDefinition::Y5_9, u"Y5_9"},
    }};
    for (const SectionSpan& span : findSections(text, HeaderMatch::Exact, u"[IODat]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            bool taken = false;
            for (const NumberKey& k : kNumbers) {
                if (auto v = keyLineValue(line, QStringView(k.key), QStringView(k.prefix))) {
                    auto n = parseHexField16(*v);
                    if (!n) {
                        return errors.badNumber(i, QString::fromUtf16(k.fieldName), *v,
                                                QStringLiteral("a hexadecimal parameter number"));
                    }
                    io.*k.field = *n;
                    taken = true;
                    break;
                }
            }
            if (taken) {
                continue;
            }
            if (auto v = keyLineValue(line, u"XReg=", u"XReg=")) {
                io.XReg = fitField(*v, 50);
            } else if (auto v = keyLineValue(line, u"YReg=", u"YReg=")) {
                io.YReg = fitField(*v, 50);
            }
        }
    }
    findIoRegisters(io, registers);
    return io;
}

DescriptionResult<IoDefinition> ReadIoSection(const ProgramFolders& folders,
                                              const QString& relativeName,
                                              const RegisterList& registers) {
    return readProtectedSections(folders, relativeName,
                                 [&registers](const QStringList& l, const QString& f) {
                                     return ReadIoSection(l, registers, f);
                                 });
}

}  // namespace tevra
