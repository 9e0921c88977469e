#include <gtest/gtest.h>

#include <vector>

#include "ShellTestMain.h"
#include "TestSupport.h"
#include "shell/AppContext.h"
#include "shell/PollingScheduler.h"
#include "shell/TipMessages.h"

namespace tevra {
namespace {

// A connected, ready context whose link probe answers from a script.
class SchedulerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::coreApp();
        dialogs.entries.clear();
        probes = 0;
        disconnects = 0;
        ctx.link = std::make_unique<DriveLink>(std::make_unique<test::ClosedPort>());
        ctx.link->setConnected(true);
        ctx.MainReady = true;
        ctx.dialogs = &dialogs;
        scheduler = std::make_unique<PollingScheduler>(ctx);
        ctx.scheduler = scheduler.get();
        scheduler->setLinkProbe([this] {
            ++probes;
            return probeResults.empty() ? true : popProbe();
        });
        scheduler->setDisconnectHandler([this] {
            ++disconnects;
            ctx.link->setConnected(false);
        });
    }

    bool popProbe() {
        const bool r = probeResults.front();
        probeResults.erase(probeResults.begin());
        return r;
    }

    // Runs ticks 1..n and returns the tick numbers on which the service ran.
    std::vector<int> serviceTicks(int n) {
        std::vector<int> ran;
        int tickNo = 0;
        scheduler->registerService(PollingScheduler::Alarm, nullptr,
                                   [&] { ran.push_back(tickNo); });
        for (tickNo = 1; tickNo <= n; ++tickNo) {
            scheduler->tick();
        }
        return ran;
    }

    AppContext ctx;
    test::RecordingDialogs dialogs;
    std::unique_ptr<PollingScheduler> scheduler;
    std::vector<bool> probeResults;
    int probes = 0;
    int disconnects = 0;
};

TEST_F(SchedulerTest, ServicesRunOnEveryScanTimePlusOneTick) {
    scheduler->ScanTime = 0;
    EXPECT_EQ(serviceTicks(4), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(SchedulerTest, DefaultScanTimeServesEveryFifthTick) {
    ASSERT_EQ(scheduler->ScanTime, 4);
    EXPECT_EQ(serviceTicks(16), (std::vector<int>{5, 10, 15}));
    EXPECT_EQ(probes, 16);
    EXPECT_TRUE(scheduler->timerEnabled());
}

TEST_F(SchedulerTest, LampsBlinkGreyFor51TicksAndLimeFor50) {
    std::vector<int> counts;
    std::vector<bool> lime;
    scheduler->setLampHandler([&](bool l) {
        counts.push_back(scheduler->BlinkCount);
        lime.push_back(l);
    });
    for (int i = 0; i < 203; ++i) {
        scheduler->tick();
    }
    ASSERT_EQ(counts.size(), 203u);
    EXPECT_EQ(counts[0], 1);
    EXPECT_EQ(counts[99], 100);
    EXPECT_EQ(counts[100], 0);
    EXPECT_EQ(counts[101], 1);
    for (size_t i = 0; i < counts.size(); ++i) {
        EXPECT_EQ(lime[i], counts[i] > 50) << "BlinkCount " << counts[i];
    }
}

TEST_F(SchedulerTest, ServicesRunInOrderAndOnlyWhenShowing) {
    scheduler->ScanTime = 0;
    std::vector<int> ran;
    bool monitorShowing = false;
    scheduler->registerService(
        PollingScheduler::Monitor, [&] { return monitorShowing; }, [&] { ran.push_back(9); });
    scheduler->registerService(PollingScheduler::EncoderRead, nullptr, [&] { ran.push_back(12); });
    scheduler->registerService(PollingScheduler::GainPage, nullptr, [&] { ran.push_back(1); });
    scheduler->registerService(PollingScheduler::ParameterIo, nullptr, [&] { ran.push_back(5); });
    EXPECT_EQ(scheduler->registerService(0, nullptr, [] {}), -1);
    EXPECT_EQ(scheduler->registerService(13, nullptr, [] {}), -1);
    scheduler->tick();
    EXPECT_EQ(ran, (std::vector<int>{1, 5, 12}));
    ran.clear();
    monitorShowing = true;
    scheduler->tick();
    EXPECT_EQ(ran, (std::vector<int>{1, 5, 9, 12}));
}

TEST_F(SchedulerTest, NothingHappensWhenNotReadyOrNotConnected) {
    int served = 0;
    scheduler->ScanTime = 0;
    scheduler->registerService(PollingScheduler::Alarm, nullptr, [&] { ++served; });
    for (bool ready : {false, true}) {
        ctx.MainReady = ready;
        ctx.link->setConnected(!ready);
        scheduler->setTimerEnabled(true);
        scheduler->tick();
        EXPECT_FALSE(scheduler->timerEnabled());
    }
    EXPECT_EQ(served, 0);
    EXPECT_EQ(probes, 0);
    EXPECT_EQ(scheduler->BlinkCount, 0);
}

TEST_F(SchedulerTest, CaptureStopsServicesAndProbeAndLeavesTimerOff) {
    int served = 0;
    scheduler->ScanTime = 0;
    scheduler->registerService(PollingScheduler::Alarm, nullptr, [&] { ++served; });
    ctx.CaptureRunning = true;
    scheduler->tick();
    EXPECT_EQ(served, 0);
    EXPECT_EQ(probes, 0);
    EXPECT_FALSE(scheduler->timerEnabled());
    EXPECT_EQ(scheduler->BlinkCount, 1);  // the lamps keep blinking
}

// The link is given up on the first failed probe above the limit: with 0 the first, with
// 10 the eleventh consecutive one; a success in between starts the count again.
TEST_F(SchedulerTest, GivesUpAfterMoreFailuresThanTheLimit) {
    struct Case {
        int limit;
        std::vector<bool> probes;
        int ticksUntilGiveUp;  // 0: never within the script
    };
    const std::vector<bool> tenFailures(10, false);
    std::vector<bool> withSuccess = tenFailures;
    withSuccess.push_back(true);
    withSuccess.insert(withSuccess.end(), 11, false);
    std::vector<bool> elevenFailures(11, false);
    const Case cases[] = {
        {0, {false}, 1},
        {10, tenFailures, 0},
        {10, elevenFailures, 11},
        {10, withSuccess, 22},
    };
    for (const Case& c : cases) {
        SetUp();
        ctx.link->commErrMax = c.limit;
        probeResults = c.probes;
        int gaveUpAt = 0;
        const int n = static_cast<int>(c.probes.size());
        for (int t = 1; t <= n; ++t) {
            scheduler->setTimerEnabled(true);
            scheduler->tick();
            if (!ctx.link->isConnected()) {
                gaveUpAt = t;
                EXPECT_FALSE(scheduler->timerEnabled());
                break;
            }
            EXPECT_TRUE(scheduler->timerEnabled());
        }
        EXPECT_EQ(gaveUpAt, c.ticksUntilGiveUp) << "limit " << c.limit << ", " << n << " probes";
        if (c.ticksUntilGiveUp) {
            EXPECT_EQ(disconnects, 1);
            ASSERT_EQ(dialogs.entries.size(), 1u);
            EXPECT_EQ(dialogs.entries[0].text, TipMessages()[14]);
            EXPECT_EQ(dialogs.entries[0].caption, QStringLiteral(u"错误"));
            EXPECT_EQ(dialogs.entries[0].icon, MessageIcon::Error);
        } else {
            EXPECT_TRUE(dialogs.entries.empty());
        }
    }
}

}  // namespace
}  // namespace tevra
