#pragma once

#include <array>
#include <cstdint>

#include "scope/WaveBuffers.h"

namespace tevra {

// What a record needs of one channel, copied from the model before each record.
struct CaptureChannel {
    bool On = false;
    uint8_t SampleType = 0;
    uint16_t SourceSlot = 0x8000;
    bool BitMode = false;
    int BitNumber = 0;
};

// The words one record samples and how a received sample is handed out to the channels.
// Channels are taken in order when on and captured (one word for 16-bit types, two for
// 32-bit types); CH3 and CH4 only while fewer than four words are taken. The slot list
// holds each taken channel's slot (and slot + 1 for a 32-bit type) up to four entries.
struct CapturePlan {
    uint8_t Mask = 0;   // bit n-1: CHn captured
    int WordCount = 0;  // W, 0..5
    std::array<uint16_t, 4> Slots{};
    int SlotCount = 0;  // entries of Slots in use
    uint8_t Mode = 0;   // 0x20 (W = 1), 0x21 (W = 2), 0x22 (W >= 3); 0 when W = 0
    int ReadWords = 0;  // words the drive sends per sample: W, or 4 when W >= 3

    // Per channel: index of its first word in the received sample and how many words it
    // takes (2 for a 32-bit type with two words left, else 1; 0 when not captured).
    std::array<int, kWaveChannels> FirstWord{};
    std::array<int, kWaveChannels> Words{};

    bool captures(int channel) const { return (Mask >> channel) & 1u; }
    int bytesPerSample() const { return 2 * ReadWords; }
    bool useQuadFrame() const { return WordCount >= 3; }

    static CapturePlan make(const std::array<CaptureChannel, kWaveChannels>& channels);

    // The slot value of a captured channel from one received sample (bytesPerSample() bytes,
    // little-endian words): a word zero-extended, or low + 65536 * high.
    uint32_t slotValue(const uint8_t* sample, int channel) const {
        const uint8_t* w = sample + 2 * FirstWord[channel];
        uint32_t low = uint32_t(w[0]) | (uint32_t(w[1]) << 8);
        if (Words[channel] == 2) {
            return low | (uint32_t(w[2]) << 16) | (uint32_t(w[3]) << 24);
        }
        return low;
    }
};

}  // namespace tevra
