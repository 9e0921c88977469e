#include "description/ParameterSection.h"

#include <limits>

#include "description/SectionScanner.h"
#include "scope/SampleType.h"
#include "shell/TipMessages.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

constexpr int kScanLimit = 10000;
constexpr int64_t kNotANumber = std::numeric_limits<int64_t>::max();

// Returns false when the bound is not an integer (it is then INT64_MAX).
bool readBound(const QString& text, int64_t& bound) {
    auto v = parseInt64(QStringView(text));
    bound = v.value_or(kNotANumber);
    return v.has_value();
}

}  // namespace

DescriptionResult<ParameterSection> ReadParameterSection(const QStringList& modelLines,
                                                         const QString& file) {
    const DescriptionText text(modelLines, file);
    const SectionErrors errors(text, QStringLiteral("[Parameter]"));
    ParameterSection out;
    for (const SectionSpan& span :
         findSections(text, HeaderMatch::Exact, u"[Parameter]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (line.isEmpty() || containsNoCase(line, u"TalNum=")) {
                continue;
            }
            QString s = line.toString();
            s.remove(0, s.indexOf(u'=') + 1);
            s = trimText(s);

            ParameterEntry e;
            const QString name = takeField(s, u".");
            e.Name = fitField(name, 100);
            e.DefaultText = fitField(takeField(s, u"."), 20);
            const QString lower = trimText(takeField(s, u"."));
            const QString upper = trimText(takeField(s, u"."));
            e.RangeText = fitField(lower + u'-' + upper, 31);
            const bool lowerOk = readBound(lower, e.LowerBound);
            const bool upperOk = readBound(upper, e.UpperBound);
            e.UnitText = fitField(takeField(s, u"."), 10);
            e.RelationText = fitField(takeField(s, u".."), 10);

            const QString number = takeField(s, u" ");
            auto pr = parseHexField16(number);
            if (!pr) {
                return errors.badNumber(i, QStringLiteral("PrNumber"), number,
                                        QStringLiteral("a 16-bit hexadecimal number"));
            }
            e.PrNumber = *pr;

            const qsizetype close = s.indexOf(u')');
            e.BracketText = close >= 1 ? fitField(s.mid(1, close - 1), 10) : QString();
            s.remove(0, s.indexOf(u',') + 1);
            e.AccessLevel = s.left(1);
            s.remove(0, s.indexOf(u'*') + 1);
            e.EffectMode = s.left(1);
            s.remove(0, 1);

            QString description = e.Name;
            const qsizetype brace = s.indexOf(u'{');
            if (brace >= 0) {
                s.remove(0, brace + 1);
                const qsizetype end = s.indexOf(u'}');
                if (end >= 0) {
                    description = s.left(end);
                }
            }
            e.Description = fitField(description, 2000);

            // The type may also be found inside the description text, as it always was.
            const qsizetype typeAt = s.indexOf(u"(*");
            if (typeAt >= 0) {
                s.remove(0, typeAt + 2);
                const qsizetype end = s.indexOf(u"*)");
                e.TypeName = end >= 0 ? fitField(s.left(end), 20) : QString();
            }
            e.TypeCode = sampleTypeFromName(trimText(e.TypeName));

            if (!lowerOk || !upperOk) {
                QString message = TipMessages()[58];
                message.replace(QStringLiteral("%s"), hexText(e.PrNumber, 2));
                out.warnings.append({e.PrNumber, static_cast<int>(i + 1), message});
            }
            out.entries.append(std::move(e));
        }
    }
    return out;
}

}  // namespace tevra
