#include "parameters/ParameterDetails.h"

#include <algorithm>

#include "parameters/ParameterValues.h"
#include "text/TextUtil.h"

namespace tevra {

const QVector<TextStyle>& ParameterDetailStyles() {
    static const QVector<TextStyle> styles = [] {
        const QString ms = QStringLiteral("MS Sans Serif");
        const QString microsoft = QStringLiteral("Microsoft Sans Serif");
        return QVector<TextStyle>{
            {QStringLiteral("Title"), ms, 8, false, StyleColour::InfoText},
            {QStringLiteral("Name"), microsoft, 8, true, StyleColour::Green},
            {QStringLiteral("Range"), microsoft, 8, true, StyleColour::Fuchsia},
            {QStringLiteral("Units"), microsoft, 8, true, StyleColour::Black},
            {QStringLiteral("Default value"), microsoft, 8, true, StyleColour::MenuHighlight},
            {QStringLiteral("Effictive rule"), microsoft, 8, true, StyleColour::Red},
            {QStringLiteral("RelevantModel"), ms, 8, true, StyleColour::Purple},
            {QStringLiteral("Hint"), ms, 8, true, StyleColour::Teal},
        };
    }();
    return styles;
}

const TextStyle& ParameterDetailStyle(const QString& name) {
    const QVector<TextStyle>& styles = ParameterDetailStyles();
    for (const TextStyle& s : styles) {
        if (s.name == name) {
            return s;
        }
    }
    return styles.front();
}

QVector<DetailParagraph> ParameterDetailParagraphs(const ParameterEntry& entry) {
    const QString title = QStringLiteral("Title");
    auto item = [&](const QString& label, const QString& value, const QString& style) {
        DetailParagraph p;
        p.runs.append({label, title});
        p.runs.append({value, style});
        return p;
    };
    QVector<DetailParagraph> out;
    out.append(
        item(QStringLiteral(u"    参数名： "), trimText(entry.Name), QStringLiteral("Name")));
    out.append(item(QStringLiteral(u"参数范围： "), entry.RangeText, QStringLiteral("Range")));
    out.append(item(QStringLiteral(u"参数单位： "), entry.UnitText, QStringLiteral("Units")));
    out.append(
        item(QStringLiteral(u"    出厂值： "), entry.DefaultText, QStringLiteral("Default value")));
    out.append(item(QStringLiteral(u"生效方式： "), EffectModeText(entry.EffectMode),
                    QStringLiteral("Effictive rule")));
    out.append(
        item(QStringLiteral(u"参数关联： "), entry.RelationText, QStringLiteral("RelevantModel")));
    DetailParagraph rule;
    rule.horizontalBreak = true;
    out.append(rule);
    DetailParagraph heading;
    heading.runs.append({QStringLiteral(u"参数说明："), title});
    out.append(heading);
    DetailParagraph body;
    body.runs.append({trimText(entry.Description), QStringLiteral("Hint")});
    out.append(body);
    return out;
}

int ValueBoxMaxLength(const ParameterEntry& entry, bool administrator) {
    if (administrator) {
        return 0;
    }
    // RangeText is lower "-" upper; a negative lower bound carries its own "-", so the
    // separator is the first "-" after the first character.
    const QString& range = entry.RangeText;
    const qsizetype sep = range.indexOf(QLatin1Char('-'), 1);
    if (sep < 0) {
        return static_cast<int>(range.size());
    }
    const qsizetype lower = sep;
    const qsizetype upper = range.size() - sep - 1;
    return static_cast<int>(std::max(lower, upper));
}

}  // namespace tevra
