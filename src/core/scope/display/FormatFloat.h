#pragma once

#include <QString>
#include <QStringView>

namespace tevra {

// Formats a number with a picture of the form "0", "0.00", "0.##" or "0.0##": at least one
// integer digit, as many decimals as the picture has '0's after the point, and up to as
// many more as it has '#'s, trailing zeros beyond the '0's dropped and the point dropped
// with them. Rounding is half away from zero on the shortest decimal text that reads back
// as the same double (so 1.005 shows as "1.01" with "0.##", as the user typed it). No
// thousands separators, no exponent, '.' as the decimal point; a result of zero never
// carries a minus sign. Infinite and undefined values give "INF", "-INF" and "NAN".
QString formatFloat(double value, QStringView picture);

}  // namespace tevra
