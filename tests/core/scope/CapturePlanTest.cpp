#include <gtest/gtest.h>

#include "scope/CapturePlan.h"
#include "scope/SampleType.h"

namespace tevra {
namespace {

using namespace sample_type;

constexpr uint8_t kOff = 0xFF;  // marks a channel that is switched off

struct PlanCase {
    const char* name;
    std::array<uint8_t, 4> types;  // kOff: channel off
    uint8_t mask;
    int words;
    uint8_t mode;
    int bytesPerSample;
    std::vector<uint16_t> slots;
};

std::array<CaptureChannel, 4> channelsFor(const std::array<uint8_t, 4>& types) {
    std::array<CaptureChannel, 4> channels;
    for (int ch = 0; ch < 4; ++ch) {
        channels[ch].On = types[ch] != kOff;
        channels[ch].SampleType = types[ch] == kOff ? 0 : types[ch];
        channels[ch].SourceSlot = uint16_t(0x100 * (ch + 1));
    }
    return channels;
}

TEST(CapturePlan, ChannelsWordsSlotsAndMode) {
    const PlanCase cases[] = {
        {"uint16 alone", {kUint16, kOff, kOff, kOff}, 0b0001, 1, 0x20, 2, {0x100}},
        {"int16 + int32", {kInt16, kInt32, kOff, kOff}, 0b0011, 3, 0x22, 8, {0x100, 0x200, 0x201}},
        {"two 16-bit", {kInt16, kOff, kUint16, kOff}, 0b0101, 2, 0x21, 4, {0x100, 0x300}},
        {"one 32-bit on CH4", {kOff, kOff, kOff, kFloat32}, 0b1000, 2, 0x21, 4, {0x400, 0x401}},
        {"CH3 left out after four words",
         {kInt32, kInt32, kInt16, kOff},
         0b0011,
         4,
         0x22,
         8,
         {0x100, 0x101, 0x200, 0x201}},
        {"W reaches 5, CH3 keeps its low word",
         {kInt16, kInt32, kInt32, kOff},
         0b0111,
         5,
         0x22,
         8,
         {0x100, 0x200, 0x201, 0x300}},
        {"four 16-bit",
         {kInt16, kUint16, iq(3), uiq(15)},
         0b1111,
         4,
         0x22,
         8,
         {0x100, 0x200, 0x300, 0x400}},
        {"CH4 left out after CH3",
         {kInt16, kInt16, kInt32, kInt16},
         0b0111,
         4,
         0x22,
         8,
         {0x100, 0x200, 0x300, 0x301}},
        {"types that are not captured", {4, 70, 255, kOff}, 0, 0, 0, 0, {}},
        {"uncaptured CH1, 32-bit fixed point CH2",
         {4, iq(20), kOff, kOff},
         0b0010,
         2,
         0x21,
         4,
         {0x200, 0x201}},
        {"all off", {kOff, kOff, kOff, kOff}, 0, 0, 0, 0, {}},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.name);
        CapturePlan plan = CapturePlan::make(channelsFor(c.types));
        EXPECT_EQ(plan.Mask, c.mask);
        EXPECT_EQ(plan.WordCount, c.words);
        EXPECT_EQ(plan.Mode, c.mode);
        EXPECT_EQ(plan.bytesPerSample(), c.bytesPerSample);
        EXPECT_EQ(plan.useQuadFrame(), c.words >= 3);
        ASSERT_EQ(plan.SlotCount, int(c.slots.size()));
        for (size_t k = 0; k < c.slots.size(); ++k) {
            EXPECT_EQ(plan.Slots[k], c.slots[k]) << "slot " << k;
        }
    }
}

TEST(CapturePlan, HandsOutTheWordsOfOneSample) {
    // CH1 INT16, CH2 INT32, CH3 INT32: 8 bytes; CH3 gets the last word only.
    CapturePlan plan = CapturePlan::make(channelsFor({kInt16, kInt32, kInt32, kOff}));
    const uint8_t sample[8] = {0x01, 0x80, 0x34, 0x12, 0xCD, 0xAB, 0xEF, 0xBE};
    EXPECT_EQ(plan.slotValue(sample, 0), 0x8001u);  // zero-extended
    EXPECT_EQ(plan.slotValue(sample, 1), 0xABCD1234u);
    EXPECT_EQ(plan.slotValue(sample, 2), 0xBEEFu);

    // CH1 INT32 alone: bytes 34 12 CD AB, the low word first.
    CapturePlan single = CapturePlan::make(channelsFor({kInt32, kOff, kOff, kOff}));
    const uint8_t bytes[4] = {0x34, 0x12, 0xCD, 0xAB};
    EXPECT_EQ(single.slotValue(bytes, 0), 0x34u + 256u * 0x12u + 65536u * (0xCDu + 256u * 0xABu));
}

}  // namespace
}  // namespace tevra
