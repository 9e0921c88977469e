#include <gtest/gtest.h>

#include "scope/display/WaveReadouts.h"

using namespace tevra;
using plot::ChannelReading;
using plot::MeasureChannel;

TEST(WaveReadouts, AxisReadoutSkipsOffChannelsAndNegatesInverted) {
    std::array<ChannelReading, 4> ch;
    ch[0] = {true, 1.5, false, QStringLiteral("rpm")};
    ch[1] = {false, 7.0, false, {}};
    ch[2] = {true, 2.0, true, {}};
    ch[3] = {true, 1.0 / 3.0, false, QStringLiteral("0.1A")};
    EXPECT_EQ(plot::axisReadout(ch), QStringLiteral("W1=1.5(rpm) W3=-2 W4=0.333333(0.1A)"));
    EXPECT_EQ(plot::axisReadout(ch, QStringLiteral("CW")),
              QStringLiteral("CW1=1.5(rpm) CW3=-2 CW4=0.333333(0.1A)"));
    EXPECT_EQ(plot::axisReadout({}), QString());
}

TEST(WaveReadouts, MeasureReadoutIsTrimmedWhenTheFirstChannelIsOff) {
    std::array<MeasureChannel, 4> ch;
    ch[1] = {true, 10.0, QStringLiteral("V")};
    ch[3] = {true, 0.5, {}};
    // |350 − 450| = 100 pixels: 100 × 10 / 65 = 15.384615..
    EXPECT_EQ(plot::measureReadout(ch, 350, 450), QStringLiteral("MW2=15.384615(V)  MW4=0.769231"));
    ch[0] = {true, 6.5, {}};
    EXPECT_EQ(plot::measureReadout(ch, 450, 350),
              QStringLiteral("MW1=10  MW2=15.384615(V)  MW4=0.769231"));
}

TEST(WaveReadouts, TimeTexts) {
    EXPECT_EQ(plot::measureTimeText(350, 550, 0.76, 1), QStringLiteral("测量时间: 152mS"));
    EXPECT_EQ(plot::axisTimeText(16, 0.76, 1), QStringLiteral("12.16mS"));
    EXPECT_EQ(plot::divisionTimeText(0.76, 2), QStringLiteral("121.6mS"));
    EXPECT_EQ(plot::divisionTimeLabel(QStringLiteral("60.8mS")), QStringLiteral("    M: 60.8mS"));
    EXPECT_EQ(plot::channelScaleLabel(2, plot::perDivisionText(0.25)),
              QStringLiteral("CH2: 0.25 "));
}
