#include "description/RegisterSection.h"

#include "description/SectionScanner.h"
#include "scope/SampleType.h"
#include "text/TextUtil.h"

namespace tevra {

DescriptionResult<RegisterList> ReadRegisterSection(const QStringList& modelLines,
                                                    const QString& file) {
    constexpr int kScanLimit = 10000;
    const DescriptionText text(modelLines, file);
    const SectionErrors errors(text, QStringLiteral("[Register]"));
    RegisterList out;
    for (const SectionSpan& span :
         findSections(text, HeaderMatch::Exact, u"[Register]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (!line.contains(u'%')) {
                continue;
            }
            QString s = line.toString();
            s.remove(0, s.indexOf(u'=') + 1);
            s = trimText(s);

            RegisterEntry e;
            const QString number = s.left(4);
            auto n = parseHexField16(number);
            if (!n) {
                return errors.badNumber(i, QStringLiteral("Number"), number,
                                        QStringLiteral("a hexadecimal register number"));
            }
            e.Number = *n;
            s.remove(0, 5);
            e.Name = fitField(trimText(takeField(s, u"%")), 50);
            e.TypeCode = sampleTypeFromName(trimText(takeField(s, u"%")));
            out.append(std::move(e));
        }
    }
    return out;
}

}  // namespace tevra
