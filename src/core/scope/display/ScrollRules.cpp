#include "scope/display/ScrollRules.h"

#include <cmath>

namespace tevra::plot {

int scrollOffsetFor(int position, int lengthIndex) {
    if (position <= 0) {
        return 0;
    }
    const int divisor = lengthIndex + 1 > 0 ? lengthIndex + 1 : 1;
    return static_cast<int>(std::nearbyint(position * 80.0 / divisor));
}

int64_t sampleSlot(int column, int scrollOffset, int screenCount, WaveShiftMode mode, bool compare,
                   int64_t slotCount) {
    if (mode == WaveShiftMode::None) {
        return -1;
    }
    const bool fixed =
        compare ? mode == WaveShiftMode::ReceivedOnly : mode == WaveShiftMode::CompareOnly;
    const int64_t z = screenCount < 1 ? 1 : screenCount;
    const int64_t c = fixed ? column : int64_t{column} + scrollOffset;
    const int64_t slot = c * z;
    if (slot < 0 || slot >= slotCount) {
        return -1;
    }
    return slot;
}

}  // namespace tevra::plot
