#pragma once

#include <cstdint>

namespace tevra {

class WaveBuffers;
class WaveModel;

// Bit b (0..31) of a raw slot: 0 or 1.
inline uint32_t extractBit(uint32_t raw, int bit) {
    return (raw >> (static_cast<unsigned>(bit) & 31u)) & 1u;
}

// The step for one stored sample (capture and import): copies WaveBuffer[slot] to
// BitSourceBuffer[slot] and, in bit mode, replaces WaveBuffer[slot] by the selected bit.
void storeBitModeSlot(WaveBuffers& buffers, int channel, int slot, bool bitMode, int bit);

// WaveBuffer[first..last] from BitSourceBuffer: the selected bit in bit mode, else the raw
// value.
void rederiveBitMode(WaveBuffers& buffers, int channel, bool bitMode, int bit, int first, int last);

// The bit window's actions over the record (slots 0 .. 800 * ScreenCount):
// Apply: every channel extracted or restored by its flag.
void applyBitMode(WaveModel& model);
// Cancel: flags cleared, every channel restored.
void cancelBitMode(WaveModel& model);
// Periodic tick while no capture runs: channels in bit mode extracted.
void refreshBitMode(WaveModel& model);

}  // namespace tevra
