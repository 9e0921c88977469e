#include <gtest/gtest.h>

#include "scope/display/MarkerLabel.h"
#include "scope/display/PlotGeometry.h"
#include "scope/display/ScrollRules.h"
#include "scope/display/ValueToPixel.h"

using namespace tevra;

TEST(ValueToPixel, RoundsTiesToEvenAndClampsOnlyAtTheTop) {
    // 2.5 divisions above a zero level of 260: 162.5 rounds to 162.
    EXPECT_EQ(plot::valueToPixel(2.5, 260, 1.0), 98);
    EXPECT_EQ(plot::drawnY(98, 260, true), 422);
    EXPECT_EQ(plot::valueToPixel(3.5 / 65.0 * 1.0, 100, 1.0), 96);  // 3.5 → 4
    EXPECT_EQ(plot::valueToPixel(-1.0, 260, 0.5), 390);
    // Far above the plot: the top edge; far below: off the plot, but held in range.
    EXPECT_EQ(plot::valueToPixel(1e9, 260, 1.0), 0);
    EXPECT_EQ(plot::valueToPixel(-1e9, 260, 1.0), plot::kLowestY);
    EXPECT_GT(plot::valueToPixel(-100.0, 260, 1.0), plot::kHeight);
    // A zero range draws at the zero level instead of dividing by zero.
    EXPECT_EQ(plot::valueToPixel(0.0, 260, 0.0), 260);
    EXPECT_EQ(plot::valueToPixel(5.0, 260, 0.0), 0);
    EXPECT_EQ(plot::drawnZeroLevel(500, 3), 560);
}

TEST(ScrollRules, OffsetAndSlotsFollowThePalette) {
    EXPECT_EQ(plot::scrollOffsetFor(100, 1), 4000);
    EXPECT_EQ(plot::scrollOffsetFor(0, 1), 0);
    EXPECT_EQ(plot::scrollOffsetFor(-3, 1), 0);
    EXPECT_EQ(plot::scrollOffsetFor(1, 2), 27);   // 26.67
    EXPECT_EQ(plot::scrollOffsetFor(3, 15), 15);  // 15.0
    EXPECT_EQ(plot::scrollOffsetFor(1, 159), 0);  // 0.5 rounds to even

    const int64_t slots = 100001;
    using M = WaveShiftMode;
    // Received and compare traces with S = 10, Z = 2 at column 5.
    EXPECT_EQ(plot::sampleSlot(5, 10, 2, M::Both, false, slots), 30);
    EXPECT_EQ(plot::sampleSlot(5, 10, 2, M::Both, true, slots), 30);
    EXPECT_EQ(plot::sampleSlot(5, 10, 2, M::ReceivedOnly, false, slots), 30);
    EXPECT_EQ(plot::sampleSlot(5, 10, 2, M::ReceivedOnly, true, slots), 10);
    EXPECT_EQ(plot::sampleSlot(5, 10, 2, M::CompareOnly, false, slots), 10);
    EXPECT_EQ(plot::sampleSlot(5, 10, 2, M::CompareOnly, true, slots), 30);
    EXPECT_EQ(plot::sampleSlot(5, 10, 2, M::None, false, slots), -1);
    // A screen count of 0 counts as 1; slots past the buffer are not read.
    EXPECT_EQ(plot::sampleSlot(7, 0, 0, M::Both, false, slots), 7);
    EXPECT_EQ(plot::sampleSlot(800, 64000, 80, M::Both, false, slots), -1);
    EXPECT_EQ(plot::sampleSlot(800, 99200, 1, M::Both, false, slots), 100000);
}

TEST(MarkerLabel, PlacementAndCaptions) {
    EXPECT_EQ(plot::markerTop(260, 12), 252);  // 260 − 2 − 6
    EXPECT_EQ(plot::markerTop(560, 12), 505);
    EXPECT_EQ(plot::markerTop(2, 12), 5);
    EXPECT_EQ(plot::markerTop(8, 12), 0);
    EXPECT_EQ(plot::markerText(1, plot::drawnZeroLevel(500, 3), true), QStringLiteral("1-↓"));
    EXPECT_EQ(plot::markerText(2, 520, false), QStringLiteral("2-↓"));
    EXPECT_EQ(plot::markerText(3, 1, true), QStringLiteral("3-> "));
    EXPECT_EQ(plot::markerText(3, 519, false), QStringLiteral("3->"));
    EXPECT_EQ(plot::markerText(4, 0, true), QStringLiteral("4-↑"));
    EXPECT_EQ(plot::markerText(4, -40, false), QStringLiteral("4-↑"));
}

TEST(PlotGeometry, TicksAndPickDistance) {
    const auto ticks = plot::minorTicks();
    EXPECT_EQ(ticks.size(), 40u + 150u);
    EXPECT_TRUE(plot::isNear(100, 110));
    EXPECT_FALSE(plot::isNear(100, 111));
}
