#include "scope/ValueFormat.h"

#include <cmath>

namespace tevra {

QString formatDecimal(double value, int minDecimals, int maxDecimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? QStringLiteral("NAN")
                                 : (value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));
    }
    double scale = std::pow(10.0, maxDecimals);
    double scaled = value * scale;
    double rounded = value;
    // Beyond 2^52 a double has no fraction left to round.
    if (std::fabs(scaled) < 4.5e15) {
        rounded = std::round(scaled) / scale;
    }
    if (rounded == 0.0) {
        rounded = 0.0;  // no "-0"
    }
    QString text = QString::number(rounded, 'f', maxDecimals);
    if (maxDecimals > minDecimals) {
        int point = text.indexOf(u'.');
        if (point >= 0) {
            int keep = text.size();
            while (keep > point + 1 + minDecimals && text[keep - 1] == u'0') {
                --keep;
            }
            if (keep == point + 1) {
                --keep;  // no lone decimal point
            }
            text.truncate(keep);
        }
    }
    return text;
}

}  // namespace tevra
