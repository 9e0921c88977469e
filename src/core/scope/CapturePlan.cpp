#include "scope/CapturePlan.h"

#include "scope/SampleType.h"

namespace tevra {

CapturePlan CapturePlan::make(const std::array<CaptureChannel, kWaveChannels>& channels) {
    CapturePlan plan;
    // CH1 and CH2 are always considered; CH3 and CH4 only while fewer than four words are
    // taken.
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        if (ch >= 2 && plan.WordCount >= 4) {
            break;
        }
        const CaptureChannel& c = channels[ch];
        int words = sampleWords(c.SampleType);
        if (!c.On || words == 0) {
            continue;
        }
        plan.Mask |= uint8_t(1u << ch);
        plan.WordCount += words;
    }

    // The slot list, and where each channel finds its words in a received sample. A 32-bit
    // channel that meets the end of the list keeps only its low word.
    for (int ch = 0; ch < kWaveChannels && plan.SlotCount < 4; ++ch) {
        if (!plan.captures(ch)) {
            continue;
        }
        const CaptureChannel& c = channels[ch];
        plan.FirstWord[ch] = plan.SlotCount;
        plan.Slots[plan.SlotCount++] = c.SourceSlot;
        plan.Words[ch] = 1;
        if (sampleWords(c.SampleType) == 2 && plan.SlotCount < 4) {
            plan.Slots[plan.SlotCount++] = uint16_t(c.SourceSlot + 1);
            plan.Words[ch] = 2;
        }
    }

    if (plan.WordCount == 1) {
        plan.Mode = 0x20;
        plan.ReadWords = 1;
    } else if (plan.WordCount == 2) {
        plan.Mode = 0x21;
        plan.ReadWords = 2;
    } else if (plan.WordCount >= 3) {
        plan.Mode = 0x22;
        plan.ReadWords = 4;
    }
    return plan;
}

}  // namespace tevra
