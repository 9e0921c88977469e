#include "scope/display/WaveReadouts.h"

#include <cmath>
#include <cstdlib>

#include "scope/ValueFormat.h"
#include "text/TextUtil.h"

namespace tevra::plot {

namespace {

QString withUnit(const QString& number, const QString& unit) {
    return unit.isEmpty() ? number : number + u'(' + unit + u')';
}

}  // namespace

QString axisReadout(const std::array<ChannelReading, kChannels>& channels, const QString& prefix) {
    QString text;
    for (int n = 0; n < kChannels; ++n) {
        const ChannelReading& ch = channels[static_cast<size_t>(n)];
        if (!ch.on) {
            continue;
        }
        const double v = ch.inverted ? -ch.value : ch.value;
        text += prefix + QString::number(n + 1) + u'=' + withUnit(formatDecimal(v, 0, 6), ch.unit) +
                u' ';
    }
    return trimText(text);
}

QString measureReadout(const std::array<MeasureChannel, kChannels>& channels, int my1, int my2) {
    QString text;
    const int span = std::abs(my1 - my2);
    for (int n = 0; n < kChannels; ++n) {
        const MeasureChannel& ch = channels[static_cast<size_t>(n)];
        if (!ch.on) {
            continue;
        }
        const double v = span * ch.valuePerDivision / kDivisionHeight;
        text += (n == 0 ? QStringLiteral("MW") : QStringLiteral("  MW")) + QString::number(n + 1) +
                u'=' + withUnit(formatDecimal(v, 0, 6), ch.unit);
    }
    return trimText(text);
}

QString axisTimeText(int column, double eachDotTime, int screenCount) {
    return formatDecimal(column * eachDotTime * screenCount, 0, 2) + QStringLiteral("mS");
}

QString divisionTimeText(double eachDotTime, int screenCount) {
    return formatDecimal(eachDotTime * kDivisionWidth * screenCount, 0, 2) + QStringLiteral("mS");
}

QString measureTimeText(int mx1, int mx2, double eachDotTime, int screenCount) {
    return QStringLiteral("测量时间: ") +
           formatDecimal(std::abs(mx1 - mx2) * eachDotTime * screenCount, 0, 2) +
           QStringLiteral("mS");
}

QString divisionTimeLabel(const QString& divisionTime) {
    return QStringLiteral("    M: ") + divisionTime;
}

QString perDivisionText(double valuePerDivision) {
    return formatDecimal(valuePerDivision, 0, 6);
}

QString channelScaleLabel(int channelDigit, const QString& perDivision) {
    return QStringLiteral("CH") + QString::number(channelDigit) + QStringLiteral(": ") +
           perDivision + u' ';
}

}  // namespace tevra::plot
