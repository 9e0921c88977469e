#pragma once

#include <array>
#include <cstdint>

#include "scope/WaveBuffers.h"

namespace tevra {

class UserDialogs;
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
// Confirm: the check boxes become the flags; with none ticked, message 4 (caption "错误")
// and false (the window stays open). A channel taken out of bit mode gets its raw samples
// back over the record at once: nothing else would restore them, and its bits would be
// shown and saved as if they were the signal. While a capture runs the buffers are left
// alone; the caller brings them in line with the flags when it ends.
bool confirmBitMode(WaveModel& model, const std::array<bool, kWaveChannels>& boxes,
                    UserDialogs& dialogs, bool captureRunning = false);
// Apply: the check boxes become the flags, then every channel is extracted or restored.
void applyBitMode(WaveModel& model, const std::array<bool, kWaveChannels>& boxes);
// Every channel extracted or restored by its current flag.
void applyBitMode(WaveModel& model);
// Cancel: flags cleared, every channel restored.
void cancelBitMode(WaveModel& model);
// Periodic tick while no capture runs: channels in bit mode extracted.
void refreshBitMode(WaveModel& model);

// The raw samples of a channel as a wave file stores them: BitSourceBuffer in bit mode,
// else WaveBuffer.
const WaveSlots& rawSamples(const WaveModel& model, int channel);

}  // namespace tevra
