#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "scope/CapturePlan.h"
#include "scope/WaveSources.h"

class QThread;

namespace tevra {

class DriveLink;
class UserDialogs;
class WaveModel;

// The steps of a capture that belong to the window. WaveCapture calls them on the thread
// that created it (the main thread), never per sample.
class CaptureHost {
  public:
    virtual ~CaptureHost() = default;
    // Toggle-and-write of the inversion boxes named by the key bits (bit n: Alt+n, bit 10+n:
    // Shift+n, bit 16+n: Ctrl+n), already taken out of PendingInversionKeys. Called before
    // a wave-start frame and when the capture ends; the serial port is free meanwhile.
    virtual void applyInversionKeys(uint32_t keys) = 0;
    // After each record; the model's EachDotTime and TotalTime are already set. The texts
    // are for EachDotTimeLab and TalDotTimeLab.
    virtual void showTiming(const QString& eachDotTimeText, const QString& totalTimeText) = 0;
    // Too many failed reads: the connection page's disconnect action (the link is connected
    // when this is called). The capture then stops itself and shows the error.
    virtual void disconnectLink() = 0;
    // The capture was stopped from inside (link failure): RunWaveBut and pmiRunWave
    // enabled, StopWave disabled.
    virtual void captureStopped() = 0;
    // The trigger fired: model.Trigger.StatusText holds the new status; enable RunWaveBut.
    virtual void triggerFired() = 0;
    // The capture thread has ended; CaptureRunning is clear again.
    virtual void captureFinished() = 0;
};

enum class RunOutcome {
    Started,
    AlreadyRunning,  // nothing happens
    NotConnected,    // message shown
    NoChannelOn,     // message shown
};

// Progress of the running capture, published after every sample: the record (counted from
// 1 in each capture) and how many of its samples have been stored (slots 0 .. Samples - 1
// hold this record's values, bit mode applied).
struct CaptureProgress {
    uint32_t Record = 0;
    int32_t Samples = 0;
};

// The wave capture: Run and Stop of the wave page and the capture thread (TTakeWave).
//
// The thread sends the wave-start frame, reads the sample stream into the model's buffers,
// extracts bits and runs the trigger test itself, and publishes progress() for the window
// to draw at its own pace. The once-per-record steps go to the main thread and are waited
// for: taking the channel settings and applying pending inversion keys before each
// wave-start frame, the timing after each record, and the stop on link failure. The thread
// that creates a WaveCapture must run a Qt event loop.
class WaveCapture : public QObject {
    Q_OBJECT

  public:
    WaveCapture(WaveModel& model, DriveLink& link, std::atomic<bool>& captureRunning,
                CaptureHost& host, UserDialogs& dialogs, QObject* parent = nullptr);
    ~WaveCapture() override;

    // RunWaveBut / pmiRunWave. Checks, resolves the four sources, clears the buffers of the
    // channels that are on and starts the thread.
    RunOutcome Run(const WaveSourceCatalog& sources);
    // StopWave / F2: the current record runs to its end, then the thread ends.
    void Stop();

    bool isRunning() const { return captureRunning_.load(); }
    CaptureProgress progress() const;
    // Samples per record of the running (or last) capture.
    int recordLength() const { return recordLength_.load(std::memory_order_relaxed); }

    // Set by Run, cleared by Stop and by the trigger: start another record after this one.
    std::atomic<bool> CaptureContinue{false};
    // Compare traces are not drawn while records arrive.
    std::atomic<bool> CompareHidden{false};
    // Inversion key requests recorded by the main window's key handler during a capture.
    std::atomic<uint32_t> PendingInversionKeys{0};

    // Runs the event loop of the calling (main) thread until the capture has ended or the
    // time is up; true when it has ended.
    bool waitUntilFinished(int timeoutMs);

  Q_SIGNALS:
    void finished();

  private:
    struct RecordSetup;
    class Worker;

    void threadBody();
    // Runs fn on the main thread and waits for it; false when the capture is being torn down.
    bool callOnMain(const std::function<void()>& fn);
    void postToMain(std::function<void()> fn);
    void prepareRecord(RecordSetup& setup);
    void linkFailed();
    void terminationStep();

    WaveModel& model_;
    DriveLink& link_;
    std::atomic<bool>& captureRunning_;
    CaptureHost& host_;
    UserDialogs& dialogs_;

    std::unique_ptr<Worker> worker_;
    QThread* thread_ = nullptr;
    std::mutex runMutex_;  // serialises the record loops of successive threads
    std::atomic<uint64_t> progress_{0};
    std::atomic<int> recordLength_{0};
    std::atomic<bool> tearDown_{false};
    std::mutex handOverMutex_;
    std::condition_variable handOverDone_;
    uint64_t handOversDone_ = 0;
};

}  // namespace tevra
