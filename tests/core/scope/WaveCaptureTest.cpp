#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <vector>

#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "debug/RegisterDirectory.h"
#include "scope/SampleType.h"
#include "scope/Trigger.h"
#include "scope/WaveCapture.h"
#include "scope/WaveModel.h"

namespace tevra {
namespace {

using namespace sample_type;
using test::RecordingDialogs;
using test::SimDrive;
using test::SimDriveOptions;

constexpr uint8_t kOff = 0xFF;            // marks a channel that is switched off
constexpr uint32_t kStale = 0xA5A5A5A5u;  // buffer contents before a capture

// Address of the register each channel records.
constexpr uint16_t kAddress[4] = {0x0100, 0x0200, 0x0300, 0x0400};

void ensureApplication() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "tevra_core_scope_test";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
}

// The window's side of the capture: records what it is asked to do, and keeps a copy of
// every finished record (taken while the capture thread waits for the timing step).
class FakeHost : public CaptureHost {
  public:
    FakeHost(DriveLink& link, WaveModel& model) : link_(link), model_(model) {}

    void applyInversionKeys(uint32_t keys) override {
        appliedKeys.push_back(keys);
        recordsSentAtKeys.push_back(recordsSent ? recordsSent() : 0);
    }
    void showTiming(const QString& each, const QString& total) override {
        timings.emplace_back(each, total);
        std::array<std::vector<uint32_t>, 4> record;
        int n = capture->recordLength();
        for (int ch = 0; ch < 4; ++ch) {
            const WaveSlots& slots = model_.Buffers.WaveBuffer(ch);
            record[ch].assign(slots.begin(), slots.begin() + n);
        }
        records.push_back(std::move(record));
        if (afterRecord) {
            afterRecord(int(records.size()));
        }
    }
    void disconnectLink() override {
        ++disconnects;
        link_.setConnected(false);
    }
    void captureStopped() override { ++stops; }
    void triggerFired() override { ++triggers; }
    void captureFinished() override { ++finishes; }

    WaveCapture* capture = nullptr;
    std::function<void(int)> afterRecord;  // called with the number of finished records
    std::function<int()> recordsSent;
    std::vector<uint32_t> appliedKeys;
    std::vector<int> recordsSentAtKeys;
    std::vector<std::pair<QString, QString>> timings;
    std::vector<std::array<std::vector<uint32_t>, 4>> records;
    int disconnects = 0;
    int stops = 0;
    int triggers = 0;
    int finishes = 0;

  private:
    DriveLink& link_;
    WaveModel& model_;
};

class WaveCaptureTest : public ::testing::Test {
  protected:
    void start(const SimDriveOptions& options = {}) {
        ensureApplication();
        sim = std::make_unique<SimDrive>(options);
        directory.setRegisters({{kAddress[0], QStringLiteral("sigA"), 0},
                                {kAddress[1], QStringLiteral("sigB"), 0},
                                {kAddress[2], QStringLiteral("sigC"), 0},
                                {kAddress[3], QStringLiteral("sigD"), 0}});
        model.SourceItems = {QStringLiteral("sigA"), QStringLiteral("sigB"), QStringLiteral("sigC"),
                             QStringLiteral("sigD")};
        host = std::make_unique<FakeHost>(sim->link(), model);
        capture = std::make_unique<WaveCapture>(model, sim->link(), captureRunning, *host, dialogs);
        host->capture = capture.get();
        host->recordsSent = [this] { return int(sim->drive().waveRecords().size()); };
    }

    // Channel types (kOff: off), each bound to its own noise signal so that a lost or
    // shifted sample cannot go unnoticed. The buffers are filled with kStale first.
    void setChannels(const std::array<uint8_t, 4>& types) {
        for (int ch = 0; ch < 4; ++ch) {
            model.Buffers.WaveBuffer(ch).fill(kStale);
            WaveChannel& c = model.Channels[ch];
            c.SourceIndex = ch;
            c.SampleType = types[ch] == kOff ? 0 : types[ch];
            c.ZeroLineBackup = 260;
            if (types[ch] == kOff) {
                c.switchOff();
            } else {
                c.switchOn();
            }
            sim::SignalSpec spec;
            spec.kind = sim::SignalKind::Noise;
            spec.seed = uint64_t(ch + 11);
            spec.wide = types[ch] != kOff && sampleWords(types[ch]) == 2;
            spec.amplitude = spec.wide ? 2.0e9 : 32000.0;
            sim->drive().bindSignal(kAddress[ch], spec);
        }
    }

    WaveSourceCatalog catalog() { return {true, nullptr, &directory}; }

    RunOutcome run() { return capture->Run(catalog()); }

    void runUntilFinished() {
        ASSERT_TRUE(capture->waitUntilFinished(60000)) << "the capture did not end";
    }

    // The slot value the drive sent for `address` at stream sample n: one word, or two
    // (low at the address, high at the next).
    uint32_t sent(uint16_t address, uint64_t n, int words) {
        uint32_t low = sim->drive().sampleWord(address, n);
        if (words == 1) {
            return low;
        }
        return low | (uint32_t(sim->drive().sampleWord(uint16_t(address + 1), n)) << 16);
    }

    // Every finished record against what the drive sent for it. widths: words each channel
    // stores; 0 for a channel that is on but not captured (its buffer stays as Run cleared
    // it), -1 for a channel that is off (its buffer keeps what it held).
    void expectRecordsAsSent(const std::array<int, 4>& widths, int samples) {
        std::vector<sim::WaveRecord> sentRecords = sim->drive().waveRecords();
        ASSERT_EQ(host->records.size(), sentRecords.size());
        for (size_t r = 0; r < sentRecords.size(); ++r) {
            const sim::WaveRecord& rec = sentRecords[r];
            ASSERT_EQ(rec.sampleCount, samples);
            ASSERT_EQ(rec.samplesSent, uint32_t(samples));
            for (int ch = 0; ch < 4; ++ch) {
                const std::vector<uint32_t>& got = host->records[r][ch];
                ASSERT_EQ(int(got.size()), samples);
                int mismatches = 0;
                for (int i = 0; i < samples && mismatches < 5; ++i) {
                    uint32_t want = widths[ch] < 0 ? kStale
                                    : widths[ch] == 0
                                        ? 0u
                                        : sent(kAddress[ch], rec.firstSampleIndex + i, widths[ch]);
                    if (got[i] != want) {
                        ++mismatches;
                        ADD_FAILURE() << "record " << r << " CH" << ch + 1 << " sample " << i
                                      << ": stored " << got[i] << ", sent " << want;
                    }
                }
            }
        }
    }

    std::atomic<bool> captureRunning{false};
    WaveModel model;
    RegisterDirectory directory;
    RecordingDialogs dialogs;
    std::unique_ptr<SimDrive> sim;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<WaveCapture> capture;
};

TEST_F(WaveCaptureTest, StoresEverySampleAsTheDriveSentIt) {
    struct Case {
        const char* name;
        std::array<uint8_t, 4> types;
        int screenCount;
        int records;
        std::array<int, 4> widths;
        uint8_t command;
        uint8_t mode;
    };
    // clang-format off
    const Case cases[] = {
        {"one UINT16", {kUint16, kOff, kOff, kOff}, 1, 3, {1, -1, -1, -1}, 0x19, 0x20},
        {"two 16-bit", {kOff, kInt16, kOff, iq(12)}, 1, 2, {-1, 1, -1, 1}, 0x19, 0x21},
        {"one FLOAT32", {kOff, kOff, kFloat32, kOff}, 2, 2, {-1, -1, 2, -1}, 0x19, 0x21},
        {"INT16 and INT32", {kInt16, kInt32, kOff, kOff}, 1, 2, {1, 2, -1, -1}, 0x18, 0x22},
        {"two 32-bit, CH3 left out", {kInt32, uiq(20), kInt16, kOff}, 1, 2, {2, 2, 0, -1},
         0x18, 0x22},
        {"five words, CH3 low word only", {kInt16, kInt32, kUint32, kOff}, 3, 2, {1, 2, 1, -1},
         0x18, 0x22},
        {"four channels, 64000 samples", {kInt16, kUint16, iq(15), uiq(3)}, 80, 2, {1, 1, 1, 1},
         0x18, 0x22},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        setChannels(c.types);
        model.ScreenCount = c.screenCount;
        host->afterRecord = [&](int done) {
            if (done == c.records) {
                capture->Stop();
            }
        };
        ASSERT_EQ(run(), RunOutcome::Started);
        runUntilFinished();
        EXPECT_FALSE(captureRunning.load());
        EXPECT_EQ(host->finishes, 1);
        EXPECT_EQ(int(host->records.size()), c.records);
        for (const sim::WaveRecord& rec : sim->drive().waveRecords()) {
            EXPECT_EQ(rec.command, c.command);
            EXPECT_EQ(rec.mode, c.mode);
        }
        expectRecordsAsSent(c.widths, 800 * c.screenCount);
        EXPECT_EQ(capture->progress().Samples, 800 * c.screenCount);
        EXPECT_TRUE(dialogs.entries.empty());
        capture.reset();
        host.reset();
        sim.reset();
    }
}

TEST_F(WaveCaptureTest, FrameNamesTheResolvedSlots) {
    start();
    setChannels({kInt16, kInt32, kInt32, kOff});
    host->afterRecord = [&](int) { capture->Stop(); };
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    std::vector<sim::WaveRecord> sent = sim->drive().waveRecords();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].slots, (std::array<uint16_t, 4>{0x0100, 0x0200, 0x0201, 0x0300}));
    EXPECT_EQ(sent[0].sampleCount, 800);
    EXPECT_EQ(model.Channels[1].SourceSlot, 0x0200);
    EXPECT_EQ(model.Channels[3].SourceSlot, 0x0400);
}

TEST_F(WaveCaptureTest, StopFinishesTheCurrentRecord) {
    SimDriveOptions options;
    options.drive.streamAtSamplePeriod = true;
    options.drive.samplePeriodNs = 100'000;  // 80 ms per record
    start(options);
    setChannels({kInt16, kOff, kOff, kOff});
    int stoppedAt = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CaptureProgress p = capture->progress();
        if (stoppedAt < 0 && p.Samples >= 200 && p.Samples <= 600) {
            stoppedAt = p.Samples;
            capture->Stop();
        }
    });
    poll.start(1);
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    poll.stop();
    ASSERT_GT(stoppedAt, 0);
    EXPECT_GE(host->records.size(), 1u);
    EXPECT_EQ(host->timings.size(), host->records.size());
    expectRecordsAsSent({1, -1, -1, -1}, 800);

    // The capture has ended: Run works again.
    host->afterRecord = [&](int) { capture->Stop(); };
    EXPECT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
}

TEST_F(WaveCaptureTest, TriggerEndsTheCaptureAfterItsRecord) {
    start();
    setChannels({kInt16, kOff, kOff, kOff});
    sim::SignalSpec square;
    square.kind = sim::SignalKind::Square;
    square.amplitude = 1000;
    square.periodSamples = 800;  // +1000 for samples 0..399, -1000 for 400..799, ...
    sim->drive().bindSignal(kAddress[0], square);
    model.Channels[0].ValuePerDivision = 100.0;
    model.Trigger.Channel = 1;
    model.Trigger.Edge = TriggerEdge::Rising;
    model.Trigger.Armed = true;
    SetTriggerLevel(model, model.Channels[0].zeroLevel());  // threshold 0
    ASSERT_EQ(model.Trigger.Threshold.load(), 0.0);
    host->afterRecord = [&](int done) {
        if (done == 5) {
            capture->Stop();  // not reached when the trigger works
        }
    };
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    // The first rising crossing is sample 0 of the second record; that record completes.
    EXPECT_EQ(host->records.size(), 2u);
    EXPECT_EQ(host->triggers, 1);
    EXPECT_EQ(model.Trigger.StatusText, QStringLiteral("CH1产生上升沿触发"));
    EXPECT_FALSE(capture->CaptureContinue.load());
    EXPECT_TRUE(model.Trigger.Armed.load());  // the next Run arms the same trigger
    expectRecordsAsSent({1, -1, -1, -1}, 800);
}

TEST_F(WaveCaptureTest, LostBytesShiftTheRestOfTheRecord) {
    start();
    setChannels({kOff, kUint16, kOff, kOff});
    sim->drive().setStreamByteDrop(500);  // bytes 500, 1000 and 1500 of the stream are lost
    host->afterRecord = [&](int) { capture->Stop(); };
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    std::vector<sim::WaveRecord> sent = sim->drive().waveRecords();
    ASSERT_EQ(sent.size(), 1u);

    // The bytes that reached the port, read two by two: 798 samples, then one byte.
    std::vector<uint8_t> line;
    for (int i = 0; i < 800; ++i) {
        uint16_t w = sim->drive().sampleWord(kAddress[1], sent[0].firstSampleIndex + i);
        line.push_back(uint8_t(w & 0xFF));
        line.push_back(uint8_t(w >> 8));
    }
    std::vector<uint8_t> arrived;
    for (size_t k = 0; k < line.size(); ++k) {
        if ((k + 1) % 500 != 0) {
            arrived.push_back(line[k]);
        }
    }
    ASSERT_EQ(arrived.size(), 1597u);
    const WaveSlots& slots = model.Buffers.WaveBuffer(1);
    for (int i = 0; i < 798; ++i) {
        ASSERT_EQ(slots[i], uint32_t(arrived[2 * i]) | (uint32_t(arrived[2 * i + 1]) << 8)) << i;
    }
    // The last sample has one byte, the one after it none: both reads fail and the slots
    // keep what Run cleared.
    EXPECT_EQ(slots[798], 0u);
    EXPECT_EQ(slots[799], 0u);
    EXPECT_EQ(sim->link().LinkFailureCount.load(), 2);
    EXPECT_EQ(host->disconnects, 0);
}

TEST_F(WaveCaptureTest, BitModeKeepsTheRawSamples) {
    start();
    setChannels({kUint16, kOff, kOff, kOff});
    model.Channels[0].BitMode = true;
    model.Channels[0].BitNumber = 3;
    host->afterRecord = [&](int) { capture->Stop(); };
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    std::vector<sim::WaveRecord> sent = sim->drive().waveRecords();
    ASSERT_EQ(sent.size(), 1u);
    for (int i = 0; i < 800; ++i) {
        uint32_t raw = sim->drive().sampleWord(kAddress[0], sent[0].firstSampleIndex + i);
        ASSERT_EQ(model.Buffers.BitSourceBuffer(0)[i], raw) << i;
        ASSERT_EQ(model.Buffers.WaveBuffer(0)[i], (raw >> 3) & 1u) << i;
    }
}

class WaveCaptureFailureTest : public WaveCaptureTest {
  protected:
    void SetUp() override {
        SimDriveOptions options;
        // Short read time-outs so that a hundred failed reads take little time.
        options.timeouts.readInterval = 5;
        options.timeouts.readTotalMultiplier = 0;
        options.timeouts.readTotalConstant = 10;
        start(options);
        setChannels({kInt16, kOff, kOff, kOff});
    }
};

TEST_F(WaveCaptureFailureTest, HundredShortReadsAreTolerated) {
    sim->drive().setStreamHaltAfter(700);  // 100 reads of each record fail
    host->afterRecord = [&](int done) {
        if (done == 2) {
            capture->Stop();
        }
    };
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    EXPECT_EQ(host->records.size(), 2u);
    EXPECT_EQ(host->disconnects, 0);
    EXPECT_TRUE(sim->link().isConnected());
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_EQ(sim->link().LinkFailureCount.load(), 100);
    // The samples that did not arrive keep what their slots held: cleared by Run.
    const std::vector<uint32_t>& second = host->records[1][0];
    std::vector<sim::WaveRecord> sent = sim->drive().waveRecords();
    for (int i = 0; i < 700; ++i) {
        ASSERT_EQ(second[i], sim->drive().sampleWord(kAddress[0], sent[1].firstSampleIndex + i));
    }
    for (int i = 700; i < 800; ++i) {
        ASSERT_EQ(second[i], 0u);
    }
}

TEST_F(WaveCaptureFailureTest, HundredAndOneShortReadsStopTheCapture) {
    sim->drive().setStreamHaltAfter(500);  // the 101st failed read is sample 600
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    EXPECT_EQ(host->disconnects, 1);
    EXPECT_EQ(host->stops, 1);
    EXPECT_FALSE(sim->link().isConnected());
    EXPECT_FALSE(capture->CaptureContinue.load());
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].text, QStringLiteral("驱动器通信错误次数超过极限值，通信已中止！"
                                                      "请检查通信设置是否正常！"));
    EXPECT_EQ(dialogs.entries[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(dialogs.entries[0].icon, MessageIcon::Error);
    // The partial record's timing is shown, then the capture ends.
    EXPECT_EQ(host->timings.size(), 1u);
    EXPECT_EQ(host->finishes, 1);
    EXPECT_EQ(sim->drive().waveRecords().size(), 1u);
    EXPECT_EQ(sim->link().LinkFailureCount.load(), 101);
}

TEST_F(WaveCaptureTest, PendingKeysAreAppliedBetweenRecordsAndAtTheEnd) {
    start();
    setChannels({kInt16, kOff, kOff, kOff});
    host->afterRecord = [&](int done) {
        if (done == 1) {
            capture->PendingInversionKeys = 0x5;
        } else {
            capture->Stop();  // drops keys not yet taken
            capture->PendingInversionKeys = 0x10020;
        }
    };
    ASSERT_EQ(run(), RunOutcome::Started);
    runUntilFinished();
    EXPECT_EQ(host->appliedKeys, (std::vector<uint32_t>{0x5, 0x10020}));
    // The first batch went out before the second record's wave-start frame.
    EXPECT_EQ(host->recordsSentAtKeys[0], 1);
    EXPECT_EQ(capture->PendingInversionKeys.load(), 0u);
}

TEST_F(WaveCaptureTest, DestroyingARunningCaptureEndsIt) {
    start();
    setChannels({kInt16, kInt32, kOff, kOff});
    ASSERT_EQ(run(), RunOutcome::Started);
    QTimer::singleShot(50, [&] { capture.reset(); });
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(capture);
    EXPECT_FALSE(captureRunning.load());
}

TEST_F(WaveCaptureTest, RunRefusals) {
    SimDriveOptions options;
    options.connected = false;
    start(options);
    setChannels({kInt16, kOff, kOff, kOff});
    EXPECT_EQ(run(), RunOutcome::NotConnected);
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].text,
              QStringLiteral("未检测到已连接的驱动器，请确认通信连接正常后再试！"));
    EXPECT_EQ(dialogs.entries[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.entries[0].icon, MessageIcon::Warning);

    sim->link().setConnected(true);
    setChannels({kOff, kOff, kOff, kOff});
    EXPECT_EQ(run(), RunOutcome::NoChannelOn);
    ASSERT_EQ(dialogs.entries.size(), 2u);
    EXPECT_EQ(dialogs.entries[1].text, QStringLiteral("请打开需要监视的通道！"));
    EXPECT_EQ(dialogs.entries[1].icon, MessageIcon::Information);
    EXPECT_FALSE(captureRunning.load());

    setChannels({kOff, kInt16, kOff, kOff});
    host->afterRecord = [&](int) { capture->Stop(); };
    ASSERT_EQ(run(), RunOutcome::Started);
    EXPECT_TRUE(captureRunning.load());
    EXPECT_EQ(run(), RunOutcome::AlreadyRunning);
    EXPECT_EQ(dialogs.entries.size(), 2u);
    runUntilFinished();
    EXPECT_TRUE(sim->drive().waveRecords().size() >= 1u);
    EXPECT_FALSE(model.WaveModeFlags[0]);
}

}  // namespace
}  // namespace tevra
