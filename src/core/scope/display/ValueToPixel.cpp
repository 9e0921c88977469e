#include "scope/display/ValueToPixel.h"

#include <cmath>

#include "scope/display/PlotGeometry.h"

namespace tevra::plot {

int valueToPixel(double value, int zeroLevel, double valuePerDivision) {
    const double offset = std::nearbyint(kDivisionHeight / valuePerDivision * value);
    if (std::isnan(offset)) {
        return zeroLevel < 0 ? 0 : zeroLevel;
    }
    const double y = static_cast<double>(zeroLevel) - offset;
    if (y < 0) {
        return 0;
    }
    if (y > kLowestY) {
        return kLowestY;
    }
    return static_cast<int>(y);
}

}  // namespace tevra::plot
