#include "scope/WaveCapture.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <thread>

#include "link/DriveLink.h"
#include "scope/BitMode.h"
#include "scope/SampleStreamReader.h"
#include "scope/Trigger.h"
#include "scope/ValueFormat.h"
#include "scope/WaveModel.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"

namespace tevra {

namespace {

using Clock = std::chrono::steady_clock;

// Pause before trying again when a record could not start (nothing to capture, no link, or
// the frame was not accepted), so a capture waiting for the drive does not spin.
constexpr auto kRetryPause = std::chrono::milliseconds(20);

double millisecondsBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

// What one record works with, taken on the main thread before its wave-start frame.
struct WaveCapture::RecordSetup {
    std::array<CaptureChannel, kWaveChannels> Channels{};
    bool AnyOn = false;
    bool Connected = false;
    CapturePlan Plan;
    int Length = 0;
};

// The capture thread's own state, allocated once per WaveCapture.
class WaveCapture::Worker {
  public:
    SampleStreamReader Reader;
    // The next record's setup: taken by Run for the first record, then on the main thread
    // together with the timing of the record before.
    RecordSetup Next;
};

WaveCapture::WaveCapture(WaveModel& model, DriveLink& link, std::atomic<bool>& captureRunning,
                         CaptureHost& host, UserDialogs& dialogs, QObject* parent)
    : QObject(parent),
      model_(model),
      link_(link),
      captureRunning_(captureRunning),
      host_(host),
      dialogs_(dialogs),
      worker_(std::make_unique<Worker>()) {}

WaveCapture::~WaveCapture() {
    if (thread_) {
        CaptureContinue = false;
        {
            std::lock_guard<std::mutex> lock(handOverMutex_);
            tearDown_ = true;
        }
        handOverDone_.notify_all();
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
        captureRunning_ = false;
    }
}

CaptureProgress WaveCapture::progress() const {
    uint64_t p = progress_.load(std::memory_order_acquire);
    return {uint32_t(p >> 32), int32_t(p & 0xFFFFFFFFu)};
}

RunOutcome WaveCapture::Run(const WaveSourceCatalog& sources) {
    if (captureRunning_.load()) {
        return RunOutcome::AlreadyRunning;
    }
    if (!link_.isConnected()) {
        dialogs_.showMessage(QStringLiteral("未检测到已连接的驱动器，请确认通信连接正常后再试！"),
                             caption::information(), MessageIcon::Warning);
        return RunOutcome::NotConnected;
    }
    if (!model_.anyChannelOn()) {
        dialogs_.showMessage(QStringLiteral("请打开需要监视的通道！"), caption::information(),
                             MessageIcon::Information);
        return RunOutcome::NoChannelOn;
    }
    if (model_.ScreenCount <= 0) {
        model_.ScreenCount = 1;
    }
    CompareHidden = true;
    model_.ScrollOffset = 0;
    for (WaveChannel& c : model_.Channels) {
        ResolveSource(c, model_.SourceItems, sources);
    }
    model_.WaveModeFlags[0] = false;
    captureRunning_ = true;
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        if (model_.Channels[ch].isOn()) {
            model_.Buffers.clearWave(ch);
        }
    }
    PendingInversionKeys = 0;
    CaptureContinue = true;
    model_.Trigger.History.clear();
    progress_.store(0, std::memory_order_release);
    recordLength_.store(model_.recordLength(), std::memory_order_relaxed);
    worker_->Next = RecordSetup();
    prepareRecord(worker_->Next);

    thread_ = QThread::create([this] { threadBody(); });
    connect(thread_, &QThread::finished, this, [this] {
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
        terminationStep();
    });
    thread_->start(QThread::HighestPriority);
    return RunOutcome::Started;
}

void WaveCapture::Stop() {
    CaptureContinue = false;
    CompareHidden = false;
    PendingInversionKeys = 0;
}

bool WaveCapture::waitUntilFinished(int timeoutMs) {
    if (!captureRunning_.load()) {
        return true;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &WaveCapture::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    loop.exec();
    return !captureRunning_.load();
}

bool WaveCapture::callOnMain(const std::function<void()>& fn) {
    auto done = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        this,
        [this, &fn, done] {
            fn();
            {
                std::lock_guard<std::mutex> lock(handOverMutex_);
                *done = true;
            }
            handOverDone_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(handOverMutex_);
    handOverDone_.wait(lock, [&] { return *done || tearDown_; });
    return *done;
}

void WaveCapture::postToMain(std::function<void()> fn) {
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void WaveCapture::prepareRecord(RecordSetup& setup) {
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        const WaveChannel& c = model_.Channels[ch];
        setup.Channels[ch] = {c.isOn(), c.SampleType, c.SourceSlot, c.BitMode, c.BitNumber};
        setup.AnyOn = setup.AnyOn || c.isOn();
    }
    setup.Connected = link_.isConnected();
    setup.Length = model_.recordLength();
    setup.Plan = CapturePlan();
    if (setup.AnyOn && setup.Connected) {
        setup.Plan = CapturePlan::make(setup.Channels);
        if (setup.Plan.WordCount > 0) {
            uint32_t keys = PendingInversionKeys.exchange(0);
            if (keys != 0) {
                host_.applyInversionKeys(keys);
            }
        }
    }
}

void WaveCapture::threadBody() {
    std::lock_guard<std::mutex> running(runMutex_);
    SampleStreamReader& reader = worker_->Reader;
    WaveBuffers& buffers = model_.Buffers;
    TriggerState& trigger = model_.Trigger;
    uint32_t record = 0;
    // Written only on the main thread while this thread waits for it.
    RecordSetup& setup = worker_->Next;
    auto prepareNext = [this, &setup] {
        setup = RecordSetup();
        prepareRecord(setup);
    };

    while (CaptureContinue.load() && !tearDown_.load()) {
        const CapturePlan& plan = setup.Plan;
        bool started = false;
        if (setup.AnyOn && setup.Connected && plan.WordCount > 0) {
            std::array<uint16_t, 4> slots{};
            for (int k = 0; k < plan.SlotCount; ++k) {
                slots[k] = plan.Slots[k];
            }
            uint16_t count = uint16_t(setup.Length);
            started = plan.useQuadFrame()
                          ? link_.protocol().WaveStartQuad(link_.port(), link_.station(), slots,
                                                           count, plan.Mode)
                          : link_.protocol().WaveStartDual(link_.port(), link_.station(), slots,
                                                           count, plan.Mode);
        }
        if (!started) {
            std::this_thread::sleep_for(kRetryPause);
            if (!callOnMain(prepareNext)) {
                break;
            }
            continue;
        }

        ++record;
        recordLength_.store(setup.Length, std::memory_order_relaxed);
        progress_.store(uint64_t(record) << 32, std::memory_order_release);
        reader.beginRecord(link_.port(), plan.bytesPerSample(), setup.Length);

        std::array<bool, kWaveChannels> on{};
        std::array<bool, kWaveChannels> store{};
        for (int ch = 0; ch < kWaveChannels; ++ch) {
            on[ch] = setup.Channels[ch].On;
            store[ch] = plan.captures(ch);
        }
        const int limit = link_.waveCommErrMax.load();
        int32_t failures = link_.LinkFailureCount.load();
        bool triggerReported = false;
        const Clock::time_point recordBegin = Clock::now();
        Clock::time_point startStamp = recordBegin;
        Clock::time_point endStamp = recordBegin;
        int lastIndex = -1;
        bool linkLost = false;

        for (int i = 0; i < setup.Length; ++i) {
            if (tearDown_.load(std::memory_order_relaxed)) {
                break;
            }
            if (link_.isConnected()) {
                const uint8_t* sample = reader.readSample();
                if (sample) {
                    for (int ch = 0; ch < kWaveChannels; ++ch) {
                        if (store[ch]) {
                            WaveBuffers::storeSlot(buffers.WaveBuffer(ch)[i],
                                                   plan.slotValue(sample, ch));
                        }
                    }
                    if (failures != 0) {
                        failures = 0;
                        link_.LinkFailureCount.store(0, std::memory_order_relaxed);
                    }
                } else {
                    ++failures;
                    link_.LinkFailureCount.store(failures, std::memory_order_relaxed);
                    if (failures > limit) {
                        lastIndex = i;
                        linkLost = true;
                        callOnMain([this] {
                            if (link_.isConnected()) {
                                host_.disconnectLink();
                            }
                        });
                        endStamp = Clock::now();
                        callOnMain([this] { linkFailed(); });
                        break;
                    }
                }
            }

            for (int ch = 0; ch < kWaveChannels; ++ch) {
                if (on[ch]) {
                    const CaptureChannel& c = setup.Channels[ch];
                    storeBitModeSlot(buffers, ch, i, c.BitMode, c.BitNumber);
                }
            }
            progress_.store((uint64_t(record) << 32) | uint32_t(i + 1), std::memory_order_release);

            if (trigger.Armed.load(std::memory_order_relaxed)) {
                TriggerSnapshot s = trigger.snapshot();
                if (s.Channel >= 1 && s.Channel <= kWaveChannels) {
                    uint32_t raw = buffers.WaveBuffer(s.Channel - 1)[i];
                    if (TestTriggerSample(trigger.History, s.Edge, s.Threshold, raw,
                                          setup.Channels[s.Channel - 1].SampleType)) {
                        CaptureContinue = false;
                        if (!triggerReported) {
                            triggerReported = true;
                            postToMain([this, s] {
                                model_.Trigger.StatusText = triggerFiredText(s.Channel, s.Edge);
                                host_.triggerFired();
                            });
                        }
                    }
                }
            }

            if (i == 2) {
                startStamp = Clock::now();
            }
            if (i == setup.Length - 2) {
                endStamp = Clock::now();
            }
            lastIndex = i;
        }
        if (tearDown_.load()) {
            break;
        }

        double total = millisecondsBetween(startStamp, endStamp);
        double each = lastIndex >= 0 ? total / (lastIndex + 1) : 0.0;
        // One hand-over after each record: its timing, and the next record's setup.
        bool handedOver = callOnMain([&] {
            QString eachText = formatDecimal(each, 2, 2);
            model_.EachDotTime = eachText.toDouble();
            model_.TotalTime = total;
            host_.showTiming(eachText, formatDecimal(total, 2, 2));
            if (!linkLost && CaptureContinue.load()) {
                prepareNext();
            }
        });
        if (!handedOver || linkLost) {
            break;
        }
    }
}

void WaveCapture::linkFailed() {
    Stop();
    host_.captureStopped();
    dialogs_.showMessage(TipMessages()[14], caption::error(), MessageIcon::Error);
}

void WaveCapture::terminationStep() {
    captureRunning_ = false;
    CompareHidden = false;
    uint32_t keys = PendingInversionKeys.exchange(0);
    if (keys != 0) {
        host_.applyInversionKeys(keys);
    }
    host_.captureFinished();
    Q_EMIT finished();
}

}  // namespace tevra
