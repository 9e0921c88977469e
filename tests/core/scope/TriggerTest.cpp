#include <gtest/gtest.h>

#include <vector>

#include "scope/SampleType.h"
#include "scope/Trigger.h"
#include "scope/WaveModel.h"

namespace tevra {
namespace {

using namespace sample_type;

// Feeds raw samples through one fresh history and returns the indexes that fired.
std::vector<int> firings(TriggerEdge edge, double threshold, const std::vector<uint32_t>& samples,
                         uint8_t type) {
    TriggerHistory history;
    std::vector<int> fired;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (TestTriggerSample(history, edge, threshold, samples[i], type)) {
            fired.push_back(int(i));
        }
    }
    return fired;
}

TEST(TriggerTest, EdgeRules) {
    struct Case {
        const char* name;
        TriggerEdge edge;
        double threshold;
        std::vector<uint32_t> samples;
        uint8_t type;
        std::vector<int> fired;
    };
    const Case cases[] = {
        {"rising: 90 among the seven before 105",
         TriggerEdge::Rising,
         100.0,
         {90, 95, 99, 101, 102, 103, 104, 105},
         kInt16,
         {3, 4, 5, 6, 7}},
        // A stream that starts above the threshold has no rising edge: only values that
        // were tested count, not the empty places of a fresh history.
        {"rising: a stream that starts above never fires",
         TriggerEdge::Rising,
         100.0,
         {101, 102, 103, 104, 105, 106, 107, 105},
         kInt16,
         {}},
        {"rising: a low value eight samples back is forgotten",
         TriggerEdge::Rising,
         100.0,
         {90, 101, 101, 101, 101, 101, 101, 101, 101},
         kInt16,
         {1, 2, 3, 4, 5, 6, 7}},
        {"falling: constant below never fires",
         TriggerEdge::Falling,
         100.0,
         {50, 50, 50, 50, 50, 50, 50, 50, 50, 50},
         kInt16,
         {}},
        {"falling: crossing down", TriggerEdge::Falling, 100.0, {150, 120, 99}, kInt16, {2}},
        {"at the threshold is neither above nor below",
         TriggerEdge::Rising,
         100.0,
         {100, 100, 100},
         kInt16,
         {}},
        {"INT16 is signed: 0xFFFF is -1", TriggerEdge::Falling, 0.0, {5, 0xFFFF}, kInt16, {1}},
        {"UINT16 is unsigned: 0xFFFF is 65535",
         TriggerEdge::Falling,
         0.0,
         {5, 0xFFFF},
         kUint16,
         {}},
        {"INT32 negative", TriggerEdge::Falling, -10.0, {0, 0xFFFFFF00u}, kInt32, {1}},
        {"UINT32 large", TriggerEdge::Rising, 3e9, {0, 0xFFFFFF00u}, kUint32, {1}},
        // Fixed point and float compare the converted value: IQ8 0x0180 is 1.5.
        {"IQ8 converted", TriggerEdge::Rising, 1.2, {0x0100, 0x0100, 0x0180}, iq(8), {2}},
        {"FLOAT32 converted", TriggerEdge::Rising, 0.5, {0x3E800000u, 0x3F800000u}, kFloat32, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(firings(c.edge, c.threshold, c.samples, c.type), c.fired);
    }
}

TEST(TriggerTest, HistoryIsKeptAcrossCalls) {
    // The history belongs to the trigger, not to a record: values below the threshold at the
    // end of one record arm the edge at the start of the next.
    TriggerHistory history;
    for (uint32_t v : {10u, 10u, 10u}) {
        EXPECT_FALSE(TestTriggerSample(history, TriggerEdge::Rising, 100.0, v, kInt16));
    }
    EXPECT_TRUE(TestTriggerSample(history, TriggerEdge::Rising, 100.0, 200, kInt16));
    EXPECT_EQ(history[0], 200.0);
    EXPECT_EQ(history[1], 10.0);
}

TEST(TriggerTest, FiredText) {
    EXPECT_EQ(triggerFiredText(2, TriggerEdge::Falling), QStringLiteral("CH2产生下降沿触发"));
    EXPECT_EQ(triggerFiredText(1, TriggerEdge::Rising), QStringLiteral("CH1产生上升沿触发"));
}

class TriggerLevelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WaveChannel& c = model.Channels[1];
        c.ZeroLine = 260;
        c.ChannelShift = 0;
        c.ValuePerDivision = 10.0;
        c.ChannelUnit = QStringLiteral("rpm");
        model.Trigger.Channel = 2;
        model.Trigger.Armed = true;
    }
    WaveModel model;
};

TEST_F(TriggerLevelTest, ThresholdFollowsTheLineWhileArmed) {
    TriggerLevelChange change = SetTriggerLevel(model, 195);
    EXPECT_EQ(change.outcome, TriggerLevelOutcome::Moved);
    EXPECT_EQ(change.previousLevel, 300);
    EXPECT_EQ(model.Trigger.TriggerLevel, 195);
    EXPECT_DOUBLE_EQ(model.Trigger.Threshold.load(), 10.0);
    EXPECT_EQ(model.Trigger.ThresholdText, QStringLiteral("10.0rpm"));

    // Below the zero level, with the shift counted: z = 260 + 20 = 280.
    model.Channels[1].ChannelShift = 1;
    SetTriggerLevel(model, 293);
    EXPECT_EQ(model.Trigger.ThresholdText, QStringLiteral("-2.0rpm"));
}

TEST_F(TriggerLevelTest, OutsideThePlotChangesNothing) {
    SetTriggerLevel(model, 195);
    for (int y : {0, 520, -3, 600}) {
        TriggerLevelChange change = SetTriggerLevel(model, y);
        EXPECT_EQ(change.outcome, TriggerLevelOutcome::OutsidePlot) << y;
        EXPECT_EQ(model.Trigger.TriggerLevel, 195);
        EXPECT_DOUBLE_EQ(model.Trigger.Threshold.load(), 10.0);
    }
}

TEST_F(TriggerLevelTest, NotArmedKeepsTheLastArmedLevel) {
    SetTriggerLevel(model, 195);
    model.Trigger.Armed = false;
    model.Channels[1].ValuePerDivision = 20.0;  // a range change recomputes the threshold
    TriggerLevelChange change = SetTriggerLevel(model, 400);
    EXPECT_EQ(change.outcome, TriggerLevelOutcome::NotArmed);
    EXPECT_EQ(model.Trigger.TriggerLevel, 195);
    EXPECT_DOUBLE_EQ(model.Trigger.Threshold.load(), 20.0);
}

}  // namespace
}  // namespace tevra
