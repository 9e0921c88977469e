#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "../../ui/scope/WavePageFixture.h"
#include "SimDriveFixture.h"
#include "scope/SampleType.h"
#include "scope/TfrmBitWvSet.h"
#include "scope/TfrmChnChse.h"
#include "scope/Trigger.h"
#include "scope/WaveColors.h"
#include "scope/WaveModel.h"
#include "scope/display/ValueToPixel.h"

using namespace tevra;
using namespace tevra::test;

namespace {

// When TEVRA_SCREENSHOT_DIR is set, the page is saved there as PNG at the moments worth
// looking at.
void screenshot(QWidget& page, const QString& name) {
    const QString dir = qEnvironmentVariable("TEVRA_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        return;
    }
    QDir().mkpath(dir);
    page.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

struct Channel {
    const char* source;
    uint16_t address;
    const char* range;
    int zeroLine;
    int32_t color;  // 0x00BBGGRR
    sim::SignalSpec signal;
};

// Four demo sources with their registers, placed so the traces share the screen.
const Channel kChannels[] = {
    // clang-format off
    {"电机速度",     0x6F00, "2000/div", 130, 0xFF0000, {sim::SignalKind::SpeedProfile, 3000, 0, 1600, 40}},
    {"电机参考速度", 0x6F01, "2000/div", 130, 0x000080, {sim::SignalKind::SpeedProfile, 3000, 0, 1600, 0}},
    {"转矩指令",     0x6F02, "500/div",  325, 0x000000, {sim::SignalKind::Square, 800, 50, 400, 100}},
    {"U相电流",      0x6F0B, "500/div",  455, 0x800080, {sim::SignalKind::Sine, 400, 0, 160, 0}},
    // clang-format on
};

class LiveWave : public ::testing::Test {
  protected:
    LiveWave() {
        SimDriveOptions options;
        options.drive.streamAtSamplePeriod = true;
        options.drive.samplePeriodNs = 125'000;
        sim_ = std::make_unique<SimDrive>(options);
        for (const Channel& c : kChannels) {
            sim_->drive().bindSignal(c.address, c.signal);
        }
        fixture_.ctx.link = sim_->takeLink();
    }

    // Chooses the four sources and ranges, the shortest length, and switches them on.
    void setUpChannels() {
        TframeWave& page = fixture_.page();
        WaveModel& model = page.model();
        for (int n = 0; n < 4; ++n) {
            const Channel& c = kChannels[n];
            auto* source = fixture_.find<QComboBox>(QStringLiteral("cmbWve1_%1").arg(n + 1));
            const int item = source->findText(QString::fromUtf8(c.source));
            ASSERT_GE(item, 0) << c.source;
            source->setCurrentIndex(item);
            auto* range = fixture_.find<QComboBox>(QStringLiteral("cmbRage1_%1").arg(n + 1));
            range->setCurrentIndex(range->findText(QString::fromLatin1(c.range)));
            model.Channels[n].SampleType = sample_type::kInt16;
            model.Channels[n].Color = c.color;
            model.Channels[n].ZeroLineBackup = uint16_t(c.zeroLine);
            fixture_.find<QToolButton>(QStringLiteral("labCh1_%1OFF").arg(n + 1))->click();
            fixture_.find<QToolButton>(QStringLiteral("labCh1_%1ON").arg(n + 1))->click();
        }
        fixture_.find<QComboBox>("cmbWaveLength")->setCurrentIndex(0);
        ASSERT_EQ(model.ScreenCount, 1);
    }

    // The main window's refresh timer at 50 Hz, until `done` or the time is up.
    bool refreshUntil(const std::function<bool()>& done, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            QTest::qWait(20);
            fixture_.page().RefreshWave();
            if (done()) {
                return true;
            }
        }
        return false;
    }

    std::unique_ptr<SimDrive> sim_;
    WavePageFixture fixture_;
};

}  // namespace

TEST_F(LiveWave, FourChannelsAreDrawnAsTheyArriveAndTheArmedTriggerStopsTheCapture) {
    setUpChannels();
    TframeWave& page = fixture_.page();
    WaveModel& model = page.model();
    page.show();
    model.MeasureLinesOn = true;
    model.mx1 = 250;
    model.mx2 = 570;
    model.MouseAxistX = 410;

    // Arm a rising-edge trigger on CH1 at about −1000 rpm (32 px below its zero level): the
    // speed coming back from −3000 rpm crosses it.
    fixture_.find<QPushButton>("btnChannel")->click();
    TfrmChnChse* trigger = page.triggerWindow();
    trigger->findChild<QAbstractButton*>("rdbtnWve1_1Trg")->click();
    trigger->findChild<QAbstractButton*>("TiggerCheck")->click();
    SetTriggerLevel(model, 162);
    trigger->findChild<QAbstractButton*>("ConfirmsBtn")->click();
    ASSERT_TRUE(model.Trigger.Armed.load());

    fixture_.find<QPushButton>("RunWaveBut")->click();
    ASSERT_TRUE(page.capture().isRunning());
    EXPECT_FALSE(fixture_.find<QPushButton>("RunWaveBut")->isEnabled());
    EXPECT_TRUE(fixture_.find<QPushButton>("StopWave")->isEnabled());

    // Part of the first record: only the columns that have arrived are drawn.
    ASSERT_TRUE(refreshUntil(
        [&] {
            const CaptureProgress p = page.capture().progress();
            return p.Record == 1 && p.Samples >= 300;
        },
        10000));
    const QColor ch4 = toQColor(model.Channels[3].Color);
    // The trace's colour anywhere in the column but on its zero line.
    auto columnHasColor = [&](int x, const QColor& color) {
        for (int y = 0; y <= plot::kHeight; ++y) {
            if (y != model.Channels[3].zeroLevel() &&
                QColor(page.plotImage().pixel(x, y)) == color) {
                return true;
            }
        }
        return false;
    };
    const CaptureProgress partial = page.capture().progress();
    if (partial.Record == 1 && partial.Samples < 700) {
        EXPECT_TRUE(columnHasColor(10, ch4));
        EXPECT_FALSE(columnHasColor(790, ch4));
        screenshot(page, QStringLiteral("wave-live-first-record"));
    }

    // The trigger fires on the speed's rising edge; the capture ends with that record.
    ASSERT_TRUE(refreshUntil([&] { return !page.capture().isRunning(); }, 20000));
    page.RefreshWave();
    EXPECT_EQ(model.Trigger.StatusText, QStringLiteral("CH1产生上升沿触发"));
    EXPECT_EQ(fixture_.find<QLabel>("stapanTrgMod")->text(), model.Trigger.StatusText);
    EXPECT_TRUE(fixture_.find<QPushButton>("RunWaveBut")->isEnabled());
    EXPECT_FALSE(fixture_.find<QPushButton>("StopWave")->isEnabled());
    EXPECT_NE(fixture_.find<QLabel>("EachDotTimeLab")->text(), QStringLiteral("0.00"));

    // Every column shows the drive's sample of the last record at its channel's level.
    const auto records = sim_->drive().waveRecords();
    ASSERT_FALSE(records.empty());
    const sim::WaveRecord& last = records.back();
    // The last record shows the event: the speed rising through the threshold. The trigger
    // remembers the last seven samples of the record before, so the edge may lean on them.
    const double threshold = model.Trigger.Threshold.load();
    std::vector<double> seen;
    if (records.size() > 1) {
        const sim::WaveRecord& before = records[records.size() - 2];
        for (int c = plot::kWidth - 7; c < plot::kWidth; ++c) {
            seen.push_back(int16_t(
                sim_->drive().sampleWord(kChannels[0].address, before.firstSampleIndex + c)));
        }
    }
    const size_t firstOfLast = seen.size();
    for (int c = 0; c < plot::kWidth; ++c) {
        seen.push_back(int16_t(model.Buffers.WaveBuffer(0)[c]));
    }
    bool edge = false;
    for (size_t i = firstOfLast; i < seen.size() && !edge; ++i) {
        for (size_t k = i >= 7 ? i - 7 : 0; k < i && !edge; ++k) {
            edge = seen[i] > threshold && seen[k] < threshold;
        }
    }
    EXPECT_TRUE(edge) << records.size() << " records";
    for (int n = 0; n < 4; ++n) {
        const WaveChannel& ch = model.Channels[n];
        int mismatches = 0;
        for (int c = 0; c < plot::kWidth; ++c) {
            const uint16_t word =
                sim_->drive().sampleWord(kChannels[n].address, last.firstSampleIndex + uint64_t(c));
            const int y = plot::valueToPixel(ConvertSample(ch.SampleType, word), ch.zeroLevel(),
                                             ch.ValuePerDivision);
            mismatches += page.traces().received(n)[c] != y;
        }
        EXPECT_EQ(mismatches, 0) << "CH" << n + 1;
    }
    EXPECT_TRUE(fixture_.find<QLabel>("stapanrWveDat")->text().startsWith(QStringLiteral("W1=")));
    EXPECT_TRUE(
        fixture_.find<QLabel>("stapanIntTm")->text().startsWith(QStringLiteral("测量时间: ")));
    screenshot(page, QStringLiteral("wave-four-channels-triggered"));
}

TEST_F(LiveWave, BitModeLeftDuringACaptureRestoresTheRecordWhenItEnds) {
    setUpChannels();
    TframeWave& page = fixture_.page();
    WaveModel& model = page.model();
    model.Channels[3].BitMode = true;  // CH4, the current: its sign bit
    model.Channels[3].BitNumber = 15;
    fixture_.find<QPushButton>("RunWaveBut")->click();
    ASSERT_TRUE(refreshUntil([&] { return page.capture().progress().Record >= 2; }, 20000));
    // "退出位模式" while records arrive, then stop.
    page.bitWindow()->cancelBitMode();
    EXPECT_FALSE(model.Channels[3].BitMode);
    fixture_.find<QPushButton>("StopWave")->click();
    ASSERT_TRUE(refreshUntil([&] { return !page.capture().isRunning(); }, 20000));
    int raw = 0;
    for (int i = 0; i < plot::kWidth; ++i) {
        EXPECT_EQ(model.Buffers.WaveBuffer(3)[i], model.Buffers.BitSourceBuffer(3)[i]) << i;
        raw += model.Buffers.WaveBuffer(3)[i] > 1;
    }
    EXPECT_GT(raw, plot::kWidth / 2);  // the sine's raw values, not bits
}
