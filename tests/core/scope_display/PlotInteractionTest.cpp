#include <gtest/gtest.h>

#include <vector>

#include "scope/Trigger.h"
#include "scope/WaveModel.h"
#include "scope/display/PlotInteraction.h"

using namespace tevra;

namespace {

// A model with CH1 on at 151 and CH2 on at 211, CH3 and CH4 off, the measurement lines on.
struct Plot {
    WaveModel model;
    std::vector<int> triggerCalls;
    PlotInteraction ui{model, [this](int y) {
                           triggerCalls.push_back(y);
                           SetTriggerLevel(model, y);
                       }};
    PlotContext idle;

    Plot() {
        model.Channels[0].ZeroLineBackup = 151;
        model.Channels[0].switchOn();
        model.Channels[1].ZeroLineBackup = 211;
        model.Channels[1].switchOn();
        model.MeasureLinesOn = true;
        ui.titleAllMarkers();
    }
    void drag(int x0, int y0, int x1, int y1) {
        ui.mouseDown(x0, y0, false, idle);
        ui.mouseMove(x1, y1, idle);
        ui.mouseUp(x1, y1, idle);
    }
};

}  // namespace

TEST(PlotInteraction, PicksTheFirstNearObjectInOrder) {
    struct Case {
        int x, y;
        PlotGrab expected;
    };
    // mx1 350, mx2 550, my1 350, my2 450, axis 500; CH1 151, CH2 211; trigger 300 (armed).
    const Case cases[] = {
        {345, 151, {PlotObject::Mx1, 0}},  // measurement lines come first
        {556, 20, {PlotObject::Mx2, 0}},           {100, 358, {PlotObject::My1, 0}},
        {100, 441, {PlotObject::My2, 0}},          {100, 160, {PlotObject::ReceivedZero, 0}},
        {100, 201, {PlotObject::ReceivedZero, 1}}, {100, 305, {PlotObject::TriggerLevel, 0}},
        {495, 30, {PlotObject::MouseAxis, 0}},     {100, 30, {}},  // nothing near
    };
    for (const Case& c : cases) {
        Plot p;
        p.model.Trigger.Armed = true;
        p.ui.mouseDown(c.x, c.y, false, p.idle);
        EXPECT_EQ(p.ui.grab(), c.expected) << c.x << "," << c.y;
    }
    // Off channels, an unarmed trigger and hidden measurement lines are not taken.
    Plot p;
    p.model.MeasureLinesOn = false;
    p.model.Channels[0].switchOff();
    p.ui.mouseDown(100, 150, false, p.idle);
    EXPECT_FALSE(p.ui.grab().any());
    p.ui.mouseDown(100, 300, false, p.idle);
    EXPECT_FALSE(p.ui.grab().any());
    p.ui.mouseDown(100, 350, false, p.idle);
    EXPECT_FALSE(p.ui.grab().any());
    // The right button asks for the popup menu; outside the plot nothing happens.
    EXPECT_TRUE(p.ui.mouseDown(100, 30, true, p.idle).popupMenu);
    EXPECT_FALSE(p.ui.mouseDown(801, 30, true, p.idle).popupMenu);
}

TEST(PlotInteraction, DragLimitsIgnorePositionsOutside) {
    struct Case {
        int grabX, grabY;  // where the object is taken
        int x, y;          // where the mouse moves
        bool moves;
    };
    const Case cases[] = {
        // CH1 zero level at 151: 5 < y < 515 and x < 800.
        {100, 151, 100, 6, true},
        {100, 151, 100, 5, false},
        {100, 151, 100, 514, true},
        {100, 151, 100, 515, false},
        {100, 151, 800, 300, false},
        // mx1 at 350: 6 <= x <= 794 and 5 <= y <= 515.
        {350, 20, 6, 5, true},
        {350, 20, 5, 100, false},
        {350, 20, 794, 515, true},
        {350, 20, 795, 100, false},
        {350, 20, 400, 516, false},
        // Mouse axis at 500: 4 < x <= 795.
        {500, 20, 5, 100, true},
        {500, 20, 4, 100, false},
        {500, 20, 795, 100, true},
        {500, 20, 796, 100, false},
    };
    for (const Case& c : cases) {
        Plot p;
        p.ui.mouseDown(c.grabX, c.grabY, false, p.idle);
        ASSERT_TRUE(p.ui.grab().any());
        const int before[] = {p.model.Channels[0].ZeroLine, p.model.mx1, p.model.MouseAxistX};
        p.ui.mouseMove(c.x, c.y, p.idle);
        const int after[] = {p.model.Channels[0].ZeroLine, p.model.mx1, p.model.MouseAxistX};
        EXPECT_EQ(!std::equal(std::begin(before), std::end(before), std::begin(after)), c.moves)
            << c.grabX << "," << c.grabY << " -> " << c.x << "," << c.y;
    }
}

TEST(PlotInteraction, GrabbingFoldsTheShiftAndTheMarkerFollows) {
    Plot p;
    p.model.Compare[0].ZeroLine = 400;
    p.ui.shiftChanged(0, 3);  // CH1 drawn at 151 + 60 = 211
    EXPECT_EQ(p.ui.receivedLevel(0), 211);
    EXPECT_EQ(p.ui.receivedCaption(0), QStringLiteral("1-> "));
    // Taking the line at its drawn level folds the shift into both zero lines of CH1 (CH2
    // sits at 211 too: CH1 comes first).
    p.ui.mouseDown(100, 205, false, p.idle);
    ASSERT_TRUE(p.ui.isGrabbed(PlotObject::ReceivedZero, 0));
    EXPECT_EQ(p.model.Channels[0].ZeroLine, 211);
    EXPECT_EQ(p.model.Channels[0].ChannelShift, 0);
    EXPECT_EQ(p.model.Compare[0].ZeroLine, 460);
    // An off compare line stays off when another channel's shift is folded.
    p.ui.mouseUp(100, 205, p.idle);
    p.ui.shiftChanged(1, -2);
    p.ui.mouseDown(100, 171, false, p.idle);
    ASSERT_TRUE(p.ui.isGrabbed(PlotObject::ReceivedZero, 1));
    EXPECT_FALSE(p.model.Compare[1].isOn());
    p.ui.mouseMove(100, 260, p.idle);
    EXPECT_EQ(p.model.Channels[1].ZeroLine, 260);
    EXPECT_EQ(p.ui.receivedCaption(1), QStringLiteral("2-> "));
}

TEST(PlotInteraction, ShiftMarkersAndTheTriggerRoutine) {
    Plot p;
    p.model.Channels[0].ZeroLineBackup = 500;
    p.model.Channels[0].switchOff();
    p.ui.setChannelOn(0, true);
    EXPECT_EQ(p.model.Channels[0].ZeroLine, 500);
    EXPECT_EQ(p.ui.receivedCaption(0), QStringLiteral("1->"));
    p.triggerCalls.clear();
    p.ui.shiftChanged(0, 3);  // 560: below the plot
    EXPECT_EQ(p.ui.receivedCaption(0), QStringLiteral("1-↓"));
    EXPECT_EQ(p.triggerCalls, std::vector<int>{300});
    p.ui.shiftChanged(0, -26);  // −20
    EXPECT_EQ(p.ui.receivedCaption(0), QStringLiteral("1-↑"));
}

TEST(PlotInteraction, TriggerLineFollowsTheTriggerChannelsZeroLevel) {
    Plot p;
    p.model.MeasureLinesOn = false;
    p.model.Trigger.Armed = true;
    p.model.Trigger.Channel = 2;
    SetTriggerLevel(p.model, 300);
    const double threshold = p.model.Trigger.Threshold.load();
    p.drag(100, 211, 100, 251);
    EXPECT_EQ(p.model.Trigger.TriggerLevel, 340);
    EXPECT_DOUBLE_EQ(p.model.Trigger.Threshold.load(), threshold);
    // Dragging the trigger line itself.
    p.drag(100, 340, 100, 100);
    EXPECT_EQ(p.model.Trigger.TriggerLevel, 100);
    // Another channel's zero level leaves it alone.
    p.drag(100, 151, 100, 180);
    EXPECT_EQ(p.model.Trigger.TriggerLevel, 100);
}

TEST(PlotInteraction, ReleaseOutsideKeepsTheGrab) {
    Plot p;
    p.ui.mouseDown(500, 100, false, p.idle);
    p.ui.mouseMove(600, 100, p.idle);
    p.ui.mouseUp(900, 100, p.idle);  // outside: still held
    EXPECT_TRUE(p.ui.isGrabbed(PlotObject::MouseAxis));
    EXPECT_EQ(p.ui.plotCursor(), PlotCursor::Cross);
    p.ui.mouseMove(900, 100, p.idle);
    EXPECT_EQ(p.ui.plotCursor(), PlotCursor::Default);
    p.ui.mouseMove(200, 50, p.idle);  // jumps to the mouse on the way back, button up
    EXPECT_EQ(p.model.MouseAxistX, 200);
    p.ui.mouseUp(200, 0, p.idle);  // on the edge: not strictly inside
    EXPECT_TRUE(p.ui.grab().any());
    p.ui.mouseUp(200, 1, p.idle);
    EXPECT_FALSE(p.ui.grab().any());
    // A second press while something is held takes nothing else.
    p.ui.mouseDown(350, 20, false, p.idle);
    p.ui.mouseDown(500, 20, false, p.idle);
    EXPECT_TRUE(p.ui.isGrabbed(PlotObject::Mx1));
}

TEST(PlotInteraction, MarkerAndMeasureLabelClicksToggle) {
    Plot p;
    p.ui.markerClicked(PlotObject::ReceivedZero, 1, p.idle);
    EXPECT_TRUE(p.ui.isGrabbed(PlotObject::ReceivedZero, 1));
    p.ui.mouseMove(300, 400, p.idle);
    EXPECT_EQ(p.model.Channels[1].ZeroLine, 400);
    p.ui.markerClicked(PlotObject::ReceivedZero, 1, p.idle);
    EXPECT_FALSE(p.ui.grab().any());
    // Switching a held channel off lets it go: its line must not switch it on again.
    p.ui.markerClicked(PlotObject::ReceivedZero, 0, p.idle);
    p.ui.setChannelOn(0, false);
    p.ui.mouseMove(300, 200, p.idle);
    EXPECT_FALSE(p.model.Channels[0].isOn());
    // MYlab takes my1, not while the mouse axis is held.
    p.ui.measureLabelClicked();
    EXPECT_TRUE(p.ui.isGrabbed(PlotObject::My1));
    p.ui.measureLabelClicked();
    EXPECT_FALSE(p.ui.grab().any());
    p.ui.mouseDown(500, 20, false, p.idle);
    p.ui.measureLabelClicked();
    EXPECT_TRUE(p.ui.isGrabbed(PlotObject::MouseAxis));
}

TEST(PlotInteraction, CursorIsTheHandNearObjects) {
    Plot p;
    p.ui.mouseMove(100, 30, p.idle);
    EXPECT_EQ(p.ui.plotCursor(), PlotCursor::Cross);
    p.ui.mouseMove(100, 145, p.idle);
    EXPECT_EQ(p.ui.plotCursor(), PlotCursor::Hand);
    p.ui.mouseMove(508, 30, p.idle);
    EXPECT_EQ(p.ui.plotCursor(), PlotCursor::Hand);
}
