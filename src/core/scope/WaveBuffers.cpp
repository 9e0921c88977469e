#include "scope/WaveBuffers.h"

namespace tevra {

WaveBuffers::WaveBuffers()
    : wave_(std::make_unique<WaveSlots[]>(kWaveChannels)),
      bitSource_(std::make_unique<WaveSlots[]>(kWaveChannels)),
      compare_(std::make_unique<WaveSlots[]>(kWaveChannels)) {}

void WaveBuffers::clearWave(int channel) {
    wave_[channel].fill(0);
}

}  // namespace tevra
