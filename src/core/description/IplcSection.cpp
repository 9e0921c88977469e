#include "description/IplcSection.h"

#include "description/SectionScanner.h"
#include "scope/SampleType.h"
#include "text/TextUtil.h"

namespace tevra {

DescriptionResult<IplcParameterList> ReadIplcSection(const QStringList& systemLines,
                                                     const QString& file) {
    constexpr int kScanLimit = 1000;
    const DescriptionText text(systemLines, file);
    const SectionErrors errors(text, QStringLiteral("[LpcmPara]"));
    IplcParameterList out;
    for (const SectionSpan& span :
         findSections(text, HeaderMatch::Exact, u"[LpcmPara]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (line.isEmpty() || line.startsWith(u';') || !line.contains(u'=')) {
                continue;
            }
            QString s = line.toString();
            s.remove(0, s.indexOf(u'=') + 1);
            s = trimText(s);
            s.replace(QStringLiteral("***"), QStringLiteral("*"));

            IplcParameterEntry e;
            e.Name = fitField(takeField(s, u"*"), 100);
            e.DefaultText = fitField(takeField(s, u"*"), 20);
            const QString lower = trimText(takeField(s, u"*"));
            const QString upper = trimText(takeField(s, u"*"));
            e.RangeText = fitField(lower + u'~' + upper, 31);
            e.UnitText = fitField(trimText(takeField(s, u"*")), 10);
            const QString address = trimText(takeField(s, u"*"));
            e.Description = fitField(trimText(takeField(s, u"*")), 2000);
            e.TypeName = fitField(trimText(takeField(s, u"*")), 20);
            e.EffectMode = fitField(trimText(takeField(s, u"*")), 100);
            const QString index = trimText(s);

            auto lo = parseDecimalField32(lower);
            if (!lo) {
                return errors.badNumber(i, QStringLiteral("LowerBound"), lower,
                                        QStringLiteral("a 32-bit decimal integer"));
            }
            auto hi = parseDecimalField32(upper);
            if (!hi) {
                return errors.badNumber(i, QStringLiteral("UpperBound"), upper,
                                        QStringLiteral("a 32-bit decimal integer"));
            }
            auto addr = parseHexField16(address);
            if (!addr) {
                return errors.badNumber(i, QStringLiteral("Address"), address,
                                        QStringLiteral("a 16-bit hexadecimal number"));
            }
            auto idx = parseDecimalField32(index);
            if (!idx) {
                return errors.badNumber(i, QStringLiteral("Index"), index,
                                        QStringLiteral("a decimal integer"));
            }
            e.LowerBound = *lo;
            e.UpperBound = *hi;
            e.Address = *addr;
            e.Index = *idx;
            e.TypeCode = sampleTypeFromName(e.TypeName);
            out.append(std::move(e));
        }
    }
    return out;
}

DescriptionResult<IplcParameterList> ReadIplcSection(const ProgramFolders& folders,
                                                     const QString& relativeName) {
    return readProtectedSections(folders, relativeName, [](const QStringList& l, const QString& f) {
        return ReadIplcSection(l, f);
    });
}

}  // namespace tevra
