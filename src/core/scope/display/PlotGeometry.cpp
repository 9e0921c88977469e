#include "scope/display/PlotGeometry.h"

namespace tevra::plot {

std::vector<Segment> minorTicks() {
    std::vector<Segment> ticks;
    ticks.reserve(40 + 3 * 50);
    for (int y = 13; y <= kHeight; y += 13) {
        ticks.push_back({395, y, 405, y});
    }
    for (int x = 16; x <= kWidth; x += 16) {
        ticks.push_back({x, 255, x, 265});
        ticks.push_back({x, 128, x, 132});
        ticks.push_back({x, 388, x, 392});
    }
    return ticks;
}

}  // namespace tevra::plot
