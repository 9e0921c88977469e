#include "scope/display/MarkerLabel.h"

#include "scope/display/PlotGeometry.h"

namespace tevra::plot {

int markerTop(int level, int labelHeight) {
    int top = level + kTop - labelHeight / 2;
    if (top > 505) {
        top = 505;
    }
    if (top < 0) {
        top = 5;
    }
    return top;
}

QString markerText(int channelDigit, int level, bool trailingBlank) {
    const QString digit = QString::number(channelDigit);
    if (level >= kHeight) {
        return digit + QStringLiteral("-↓");
    }
    if (level > 0) {
        return digit + (trailingBlank ? QStringLiteral("-> ") : QStringLiteral("->"));
    }
    return digit + QStringLiteral("-↑");
}

}  // namespace tevra::plot
