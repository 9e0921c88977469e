#include <gtest/gtest.h>

#include "TestSupport.h"
#include "scope/BitMode.h"
#include "scope/WaveModel.h"

namespace tevra {
namespace {

TEST(BitModeTest, ExtractBit) {
    EXPECT_EQ(extractBit(0x80000000u, 31), 1u);
    EXPECT_EQ(extractBit(0xFFFEu, 0), 0u);
    EXPECT_EQ(extractBit(0xFFFEu, 1), 1u);
    EXPECT_EQ(extractBit(0x00010000u, 16), 1u);
}

TEST(BitModeTest, StoredSampleKeepsTheRawValue) {
    WaveBuffers buffers;
    buffers.WaveBuffer(0)[7] = 0x0004;
    storeBitModeSlot(buffers, 0, 7, true, 2);
    EXPECT_EQ(buffers.BitSourceBuffer(0)[7], 0x0004u);
    EXPECT_EQ(buffers.WaveBuffer(0)[7], 1u);

    buffers.WaveBuffer(1)[7] = 0x1234;
    storeBitModeSlot(buffers, 1, 7, false, 2);
    EXPECT_EQ(buffers.BitSourceBuffer(1)[7], 0x1234u);
    EXPECT_EQ(buffers.WaveBuffer(1)[7], 0x1234u);
}

class BitWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model.ScreenCount = 2;  // the record is slots 0..1600
        for (int ch = 0; ch < 4; ++ch) {
            for (int i = 0; i <= 1601; ++i) {
                model.Buffers.BitSourceBuffer(ch)[i] = uint32_t(i * (ch + 1));
                model.Buffers.WaveBuffer(ch)[i] = 0xDEAD;
            }
        }
    }
    WaveModel model;
};

TEST_F(BitWindowTest, ApplyExtractsOrRestoresEachChannelOverTheRecord) {
    model.Channels[0].BitNumber = 0;
    model.Channels[1].BitMode = true;
    applyBitMode(model, {true, false, false, false});  // CH2's box cleared: raw samples back
    EXPECT_FALSE(model.Channels[1].BitMode);
    for (int i : {0, 1, 2, 3, 1599, 1600}) {
        EXPECT_EQ(model.Buffers.WaveBuffer(0)[i], uint32_t(i & 1)) << i;
        EXPECT_EQ(model.Buffers.WaveBuffer(1)[i], uint32_t(2 * i)) << i;
    }
    EXPECT_EQ(model.Buffers.WaveBuffer(0)[1601], 0xDEADu);  // beyond the record
}

TEST_F(BitWindowTest, ConfirmNeedsATickedChannel) {
    test::RecordingDialogs dialogs;
    EXPECT_FALSE(confirmBitMode(model, {false, false, false, false}, dialogs));
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].text, QStringLiteral("请选择要启动的位方式波形！"));
    EXPECT_EQ(dialogs.entries[0].caption, QStringLiteral("错误"));
    EXPECT_TRUE(confirmBitMode(model, {false, false, true, false}, dialogs));
    EXPECT_TRUE(model.Channels[2].BitMode);
    EXPECT_EQ(&rawSamples(model, 2), &model.Buffers.BitSourceBuffer(2));
    EXPECT_EQ(&rawSamples(model, 1), &model.Buffers.WaveBuffer(1));
}

TEST_F(BitWindowTest, ConfirmGivesChannelsTakenOutOfBitModeTheirRawSamplesBack) {
    test::RecordingDialogs dialogs;
    model.Channels[0].BitMode = true;
    model.Channels[1].BitMode = true;
    // CH1 stays in bit mode (its bits come with the next tick), CH2 leaves it, CH3 was
    // never in it and is left alone.
    EXPECT_TRUE(confirmBitMode(model, {true, false, false, false}, dialogs));
    for (int i : {0, 1, 1600}) {
        EXPECT_EQ(model.Buffers.WaveBuffer(0)[i], 0xDEADu) << i;
        EXPECT_EQ(model.Buffers.WaveBuffer(1)[i], uint32_t(2 * i)) << i;
        EXPECT_EQ(model.Buffers.WaveBuffer(2)[i], 0xDEADu) << i;
    }

    // Unticking every box is refused, but the channel that left bit mode is restored all
    // the same: its flag is already cleared.
    EXPECT_FALSE(confirmBitMode(model, {false, false, false, false}, dialogs));
    EXPECT_EQ(model.Buffers.WaveBuffer(0)[5], 5u);

    // During a capture the buffers belong to the capture thread.
    model.Channels[3].BitMode = true;
    EXPECT_TRUE(confirmBitMode(model, {true, false, false, false}, dialogs, true));
    EXPECT_FALSE(model.Channels[3].BitMode);
    EXPECT_EQ(model.Buffers.WaveBuffer(3)[5], 0xDEADu);
}

TEST_F(BitWindowTest, CancelRestoresAllAndClearsFlags) {
    model.Channels[2].BitMode = true;
    cancelBitMode(model);
    EXPECT_FALSE(model.Channels[2].BitMode);
    for (int ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(model.Buffers.WaveBuffer(ch)[800], uint32_t(800 * (ch + 1)));
    }
}

TEST_F(BitWindowTest, RefreshTouchesOnlyChannelsInBitMode) {
    model.Channels[3].BitMode = true;
    model.Channels[3].BitNumber = 2;
    refreshBitMode(model);
    EXPECT_EQ(model.Buffers.WaveBuffer(3)[1], 1u);  // 4 has bit 2 set
    EXPECT_EQ(model.Buffers.WaveBuffer(3)[2], 0u);  // 8 has not
    EXPECT_EQ(model.Buffers.WaveBuffer(0)[1], 0xDEADu);
}

}  // namespace
}  // namespace tevra
