#pragma once

#include <QString>

namespace tevra {

// A number with at least minDecimals and at most maxDecimals decimals, rounded half away
// from zero, without trailing zeros beyond minDecimals and never "-0": the patterns
// "0.0" (1, 1), "0.00" (2, 2), "0.####" (0, 4), "0.######" (0, 6).
QString formatDecimal(double value, int minDecimals, int maxDecimals);

}  // namespace tevra
