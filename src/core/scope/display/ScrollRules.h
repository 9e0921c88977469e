#pragma once

#include <cstdint>

namespace tevra {

// Which traces the scroll bar moves: the down button of the wave-shift palette. With
// every button up nothing is picked and the traces are drawn at the value 0.
enum class WaveShiftMode { ReceivedOnly, CompareOnly, Both, None };

namespace plot {

// The scroll bar ScroBarWaveFre runs over 0..800.
inline constexpr int kScrollMax = 800;

// The horizontal scroll in display columns for a scroll bar position: p × 80 / (L + 1)
// rounded half to even, with L the capture-length index; 0 for a position of 0 or less.
int scrollOffsetFor(int position, int lengthIndex);

// The buffer slot a display column shows for the received (compare = false) or compare
// trace, or -1 when no sample is picked (no palette button down, or the slot lies past
// the end of a buffer of `slotCount` slots: such columns read as an empty slot).
int64_t sampleSlot(int column, int scrollOffset, int screenCount, WaveShiftMode mode, bool compare,
                   int64_t slotCount);

}  // namespace plot
}  // namespace tevra
