#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace tevra {

// Geometry of the plot every part of the oscilloscope works in (pixels).
namespace plot {
inline constexpr int kWidth = 800;
inline constexpr int kHeight = 520;
inline constexpr int kColumnsPerDivision = 80;
inline constexpr int kPixelsPerDivision = 65;  // one vertical division
inline constexpr int kShiftStep = 20;          // pixels per ChannelShift step
}  // namespace plot

inline constexpr int kWaveChannels = 4;
// Slots per buffer: indices 0..100000. A capture fills 0 .. 800 * ScreenCount - 1, an
// import 1 .. Length.
inline constexpr int kWaveSlots = 100001;

using WaveSlots = std::array<uint32_t, kWaveSlots>;

// The fixed sample buffers of the oscilloscope, allocated once (zeroed) for the life of the
// owner and never resized. A slot holds a raw sample: a 16-bit value zero-extended, a
// 32-bit value as received; ConvertSample gives its value.
//
// While a capture runs, the capture thread writes WaveBuffer and BitSourceBuffer slot by
// slot. The window reads only slots the capture has published (WaveCapture::progress);
// code that may read a slot while the capture thread writes it uses loadSlot().
class WaveBuffers {
  public:
    WaveBuffers();
    WaveBuffers(const WaveBuffers&) = delete;
    WaveBuffers& operator=(const WaveBuffers&) = delete;

    // channel 0..3 = CH1..CH4.
    WaveSlots& WaveBuffer(int channel) { return wave_[channel]; }
    const WaveSlots& WaveBuffer(int channel) const { return wave_[channel]; }
    WaveSlots& BitSourceBuffer(int channel) { return bitSource_[channel]; }
    const WaveSlots& BitSourceBuffer(int channel) const { return bitSource_[channel]; }
    WaveSlots& CompareBuffer(int channel) { return compare_[channel]; }
    const WaveSlots& CompareBuffer(int channel) const { return compare_[channel]; }

    // Sets every slot of the channel's WaveBuffer to 0.
    void clearWave(int channel);

    static uint32_t loadSlot(const uint32_t& slot) {
        return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(slot))
            .load(std::memory_order_relaxed);
    }
    static void storeSlot(uint32_t& slot, uint32_t value) {
        std::atomic_ref<uint32_t>(slot).store(value, std::memory_order_relaxed);
    }

  private:
    std::unique_ptr<WaveSlots[]> wave_;
    std::unique_ptr<WaveSlots[]> bitSource_;
    std::unique_ptr<WaveSlots[]> compare_;
};

}  // namespace tevra
