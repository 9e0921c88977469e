#include "description/ZeroSections.h"

#include "description/SectionScanner.h"
#include "text/TextUtil.h"

namespace tevra {

DescriptionResult<ZeroList> ReadZeroSections(const QStringList& systemLines, const QString& file) {
    constexpr int kScanLimit = 100;
    const DescriptionText text(systemLines, file);
    const SectionErrors errors(text, QStringLiteral("[...Zero]"));
    ZeroList out;
    for (const SectionSpan& span : findSections(text, HeaderMatch::Pattern, u"Zero]", kScanLimit)) {
        ZeroEntry e;
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (line.startsWith(u';')) {
                continue;
            }
            if (auto v = keyLineValue(line, u"Name=", u"Name=")) {
                e.Name = fitField(*v, 50);
            } else if (auto v = keyLineValue(line, u"Para=", u"Para=Pr")) {
                auto n = parseHexField16(*v);
                if (!n) {
                    return errors.badNumber(i, QStringLiteral("ParaNumber"), *v,
                                            QStringLiteral("a hexadecimal parameter number"));
                }
                e.ParaNumber = *n;
            } else if (auto v = keyLineValue(line, u"Reg=", u"Reg=")) {
                e.RegisterName = fitField(*v, 52);
            } else if (auto v = keyLineValue(line, u"Hint=", u"Hint=")) {
                e.Hint = fitField(*v, 1000);
            } else if (auto v = keyLineValue(line, u"Permission=", u"Permission=")) {
                e.Permission = fitField(*v, 10);
            }
        }
        out.append(std::move(e));
    }
    return out;
}

DescriptionResult<ZeroList> ReadZeroSections(const ProgramFolders& folders,
                                             const QString& relativeName) {
    return readProtectedSections(folders, relativeName, [](const QStringList& l, const QString& f) {
        return ReadZeroSections(l, f);
    });
}

}  // namespace tevra
