#include "description/WaveRegDefSection.h"

#include "description/SectionScanner.h"
#include "text/TextUtil.h"

namespace tevra {

DescriptionResult<MonitorList> ReadWaveRegDefSection(const QStringList& modelLines,
                                                     const QString& file) {
    constexpr int kScanLimit = 10000;
    const DescriptionText text(modelLines, file);
    const SectionErrors errors(text, QStringLiteral("[WaveRegDefing]"));
    MonitorList out;
    for (const SectionSpan& span :
         findSections(text, HeaderMatch::Exact, u"[WaveRegDefing]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (!line.contains(u':')) {
                continue;
            }
            QString s = line.toString();
            s.remove(0, s.indexOf(u'=') + 1);
            s = trimText(s);

            MonitorEntry e;
            const QString number = trimText(takeField(s, u":"));
            auto n = parseHexField16(number);
            if (!n) {
                return errors.badNumber(i, QStringLiteral("Number"), number,
                                        QStringLiteral("a hexadecimal number"));
            }
            e.Number = *n;
            e.Name = fitField(trimText(takeField(s, u"*")), 50);
            e.Unit = fitField(trimText(takeField(s, u"*")), 10);
            e.Hint = fitField(trimText(takeField(s, u"*")), 100);
            e.Tag = fitField(trimText(takeField(s, u"*")), 5);
            e.Coefficient = parseDecimalField32(s).value_or(1);
            out.append(std::move(e));
        }
    }
    return out;
}

}  // namespace tevra
