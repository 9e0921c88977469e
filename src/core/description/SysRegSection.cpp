#include "description/SysRegSection.h"

#include "description/SectionScanner.h"
#include "text/TextUtil.h"

namespace tevra {

DescriptionResult<RegisterEntry> ReadSysRegSection(const QStringList& systemLines,
                                                   const RegisterList& registers,
                                                   const QString& file) {
    constexpr int kScanLimit = 100;
    const DescriptionText text(systemLines, file);
    RegisterEntry out;
    for (const SectionSpan& span :
         findSections(text, HeaderMatch::Exact, u"[SysReg]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (!line.contains(u"OutStus=")) {
                continue;
            }
            const QString name = trimText(removeAllNoCase(line.toString(), u"OutStus="));
            out = RegisterEntry{};
            out.Name = fitField(name, 50);
            for (const RegisterEntry& r : registers) {
                if (r.Name == name) {
                    out = r;
                    break;
                }
            }
            break;
        }
    }
    return out;
}

DescriptionResult<RegisterEntry> ReadSysRegSection(const ProgramFolders& folders,
                                                   const QString& relativeName,
                                                   const RegisterList& registers) {
    return readProtectedSections(folders, relativeName,
                                 [&registers](const QStringList& l, const QString& f) {
                                     return ReadSysRegSection(l, registers, f);
                                 });
}

}  // namespace tevra
