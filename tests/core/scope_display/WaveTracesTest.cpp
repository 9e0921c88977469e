#include <gtest/gtest.h>

#include "scope/SampleType.h"
#include "scope/WaveModel.h"
#include "scope/display/WaveStatusTexts.h"
#include "scope/display/WaveTraces.h"

using namespace tevra;

namespace {

// CH1 INT16 at zero level 260, 10 units per division; slot i of the received buffer holds
// i, slot i of the compare buffer holds −i.
struct Traces {
    WaveModel model;
    WaveTraces traces{model};

    Traces() {
        WaveChannel& ch = model.Channels[0];
        ch.ZeroLineBackup = 260;
        ch.switchOn();
        ch.ValuePerDivision = 10.0;
        model.Compare[0].ZeroLine = 300;
        model.WaveModeFlags[1] = true;
        for (int i = 0; i < 2000; ++i) {
            model.Buffers.WaveBuffer(0)[i] = uint32_t(i);
            model.Buffers.CompareBuffer(0)[i] = uint32_t(uint16_t(-i));
        }
    }
};

}  // namespace

TEST(WaveTraces, ColumnsFollowScrollScreenCountAndPalette) {
    Traces t;
    t.model.ScreenCount = 2;
    t.model.ScrollOffset = 10;
    t.traces.compute(0, 800, WaveShiftMode::Both, true);
    // Column 3 shows slot (3 + 10) × 2 = 26: 26 × 65 / 10 = 169 pixels above 260.
    EXPECT_EQ(t.traces.received(0)[3], 91);
    EXPECT_EQ(t.traces.compare(0)[3], 469);
    // Only the received wave moves: the compare trace keeps column 3 at slot 6.
    t.traces.compute(0, 800, WaveShiftMode::ReceivedOnly, true);
    EXPECT_EQ(t.traces.received(0)[3], 91);
    EXPECT_EQ(t.traces.compare(0)[3], 300 + 39);
    t.traces.compute(0, 800, WaveShiftMode::CompareOnly, true);
    EXPECT_EQ(t.traces.received(0)[3], 260 - 39);
    // No palette button down: every trace at the value 0.
    t.traces.compute(0, 800, WaveShiftMode::None, true);
    EXPECT_EQ(t.traces.received(0)[3], 260);
    EXPECT_EQ(t.traces.compare(0)[3], 300);
    // The shift of CH1 moves both of its traces.
    t.model.Channels[0].ChannelShift = 1;
    t.traces.compute(0, 800, WaveShiftMode::None, true);
    EXPECT_EQ(t.traces.received(0)[3], 280);
    EXPECT_EQ(t.traces.compare(0)[3], 320);
}

TEST(WaveTraces, ScrollingPastTheBuffersReadsEmptySlots) {
    Traces t;
    t.model.ScreenCount = 80;
    t.model.ScrollOffset = 64000;  // scroll bar at its end with length index 0
    t.model.Buffers.WaveBuffer(0)[kWaveSlots - 1] = 77;
    t.traces.compute(0, 800, WaveShiftMode::Both, false);
    for (int c : {0, 400, 800}) {
        EXPECT_EQ(t.traces.received(0)[c], 260) << c;
    }
}

TEST(WaveStatusTexts, AxisReadoutsAndIdleTexts) {
    Traces t;
    t.model.Channels[0].ChannelUnit = QStringLiteral("rpm");
    t.model.Channels[0].Inverted = true;
    t.model.Channels[1].SampleType = sample_type::iq(1);
    t.model.Channels[1].ZeroLineBackup = 211;
    t.model.Channels[1].switchOn();
    t.model.Buffers.WaveBuffer(1)[500] = 0xFFFF;
    t.model.EachDotTime = 0.76;
    t.model.MouseAxistX = 500;
    WaveStatusTexts texts;
    texts.updateAxisReadouts(t.model, t.traces, WaveShiftMode::Both, false);
    EXPECT_EQ(texts.stapanrWveDat, QStringLiteral("W1=-500(rpm) W2=-0.5"));
    EXPECT_EQ(texts.stapancWveDat, QStringLiteral("比较波形数据: CW1=-500(rpm)"));
    EXPECT_EQ(texts.stapanGrnMTm, QStringLiteral("380mS"));
    EXPECT_EQ(texts.stapanIntTm, QStringLiteral("测量时间: 152mS"));
    EXPECT_EQ(texts.labM, QStringLiteral("    M: 60.8mS"));
    EXPECT_EQ(texts.channelScale[0], QStringLiteral("CH1: 10 "));
    // During a capture the times and labels are left alone.
    t.model.EachDotTime = 1.0;
    t.model.MouseAxistX = 10;
    texts.updateAxisReadouts(t.model, t.traces, WaveShiftMode::Both, true);
    EXPECT_EQ(texts.stapanrWveDat, QStringLiteral("W1=-10(rpm) W2=0"));
    EXPECT_EQ(texts.stapanGrnMTm, QStringLiteral("380mS"));

    t.model.WaveModeFlags[1] = false;
    texts.updatePeriodicTexts(t.model, {"速度反馈", "转矩指令", "x", "y"});
    EXPECT_EQ(texts.stapanImWveNm, QStringLiteral("波形名称: W1=速度反馈 W2=转矩指令 "));
    EXPECT_EQ(texts.stapanImFleNm, QStringLiteral("文件名: "));
    EXPECT_EQ(texts.stapancWveDat, QStringLiteral("比较波形数据: "));
    EXPECT_EQ(texts.stapanIntDat, QStringLiteral("准      备"));
}
