#include "description/NoImportSection.h"

#include "description/SectionScanner.h"
#include "text/TextUtil.h"

namespace tevra {

DescriptionResult<TNoImportPr> ReadNoImportSection(const QStringList& systemLines,
                                                   const QString& file) {
    constexpr int kScanLimit = 100;
    const DescriptionText text(systemLines, file);
    const SectionErrors errors(text, QStringLiteral("[ProhibitedImportParameter]"));
    TNoImportPr out;
    for (const SectionSpan& span :
         findSections(text, HeaderMatch::Exact, u"[ProhibitedImportParameter]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (!line.contains(u"Pr")) {
                continue;
            }
            const QString value = trimText(removeAllNoCase(line.toString(), u"Pr"));
            auto n = parseHexField16(value);
            if (!n) {
                return errors.badNumber(i, QStringLiteral("Numbers"), value,
                                        QStringLiteral("a hexadecimal parameter number"));
            }
            out.Numbers.append(*n);
        }
    }
    out.Count = static_cast<int32_t>(out.Numbers.size());
    return out;
}

DescriptionResult<TNoImportPr> ReadNoImportSection(const ProgramFolders& folders,
                                                   const QString& relativeName) {
    return readProtectedSections(folders, relativeName, [](const QStringList& l, const QString& f) {
        return ReadNoImportSection(l, f);
    });
}

}  // namespace tevra
