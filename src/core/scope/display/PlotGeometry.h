#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "scope/WaveBuffers.h"

// The plot area of the oscilloscope, in its own pixel coordinates: x 0 (left) .. kWidth,
// y 0 (top) .. kHeight. One display column per x.
namespace tevra::plot {

// Columns 0..800 are computed; the last one only feeds the readouts.
inline constexpr int kColumns = kWidth + 1;
inline constexpr int kDivisionWidth = kColumnsPerDivision;
inline constexpr int kDivisionHeight = kPixelsPerDivision;
inline constexpr int kHorizontalDivisions = kWidth / kDivisionWidth;  // 10
inline constexpr int kVerticalDivisions = kHeight / kDivisionHeight;  // 8
// A point is near a line when the coordinates differ by at most this many pixels.
inline constexpr int kPickDistance = 10;
// The plot's place inside its panel.
inline constexpr int kLeft = 40;
inline constexpr int kTop = -2;
// A zero line (or a label position) with this value is not shown.
inline constexpr int kHidden = 0x8000;
inline constexpr int kChannels = kWaveChannels;

inline bool isNear(int a, int b) {
    return std::abs(a - b) <= kPickDistance;
}

// The zero level a channel is drawn at: its zero line moved by its shift up-down.
inline int drawnZeroLevel(int zeroLine, int shift) {
    return zeroLine + kShiftStep * shift;
}

struct Segment {
    int x1, y1, x2, y2;
};

// The minor ticks: a short horizontal tick on the middle vertical every 13 pixels, and
// short vertical ticks every 16 pixels on three horizontal bands.
std::vector<Segment> minorTicks();

}  // namespace tevra::plot
