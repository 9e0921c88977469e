// Event-loop latency during a capture: how long a Qt event loop takes to run a posted event
// while full-speed records arrive one after another. Prints the worst and the 99th
// percentile wait against the 50 ms limit.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "BenchDrive.h"
#include "scope/WaveCapture.h"

namespace {

using namespace tevra;
using Clock = std::chrono::steady_clock;

constexpr double kLimitMs = 50.0;
constexpr auto kSlots = bench::kCaptureSlots;

double g_worstMs = -1;
double g_p99Ms = -1;

// Lets records repeat; counts them.
class CountingHost : public CaptureHost {
  public:
    void applyInversionKeys(uint32_t) override {}
    void showTiming(const QString&, const QString&) override { ++records; }
    void disconnectLink() override {}
    void captureStopped() override {}
    void triggerFired() override {}
    void captureFinished() override {}
    int records = 0;
};

// The window's kind of work during a capture: a 1 kHz timer reading the capture's progress,
// and events posted from another thread whose wait is measured.
void BM_EventLoopDuringCapture(benchmark::State& state) {
    bench::EnsureCoreApplication();
    bench::BenchDrive d;
    for (int k = 0; k < 4; ++k) {
        sim::SignalSpec spec;
        spec.kind = sim::SignalKind::Sine;
        spec.amplitude = 20000;
        spec.periodSamples = 1000 + 100 * k;
        d.drive->bindSignal(kSlots[k], spec);
    }
    const RegisterDirectory directory = bench::CaptureDirectory();
    auto model = bench::CaptureModel(10);
    std::atomic<bool> running{false};
    CountingHost host;
    bench::QuietDialogs dialogs;
    WaveCapture capture(*model, *d.link, running, host, dialogs);

    std::vector<double> waits;
    waits.reserve(4096);
    QObject receiver;
    for (auto _ : state) {
        if (capture.Run({true, nullptr, &directory}) != RunOutcome::Started) {
            state.SkipWithError("capture did not start");
            return;
        }
        QTimer refresh;
        int64_t drawn = 0;
        QObject::connect(&refresh, &QTimer::timeout, [&] { drawn += capture.progress().Samples; });
        refresh.start(1);

        std::atomic<bool> probing{true};
        std::thread prober([&] {
            while (probing.load()) {
                Clock::time_point posted = Clock::now();
                QMetaObject::invokeMethod(
                    &receiver,
                    [&waits, posted] {
                        waits.push_back(
                            std::chrono::duration<double, std::milli>(Clock::now() - posted)
                                .count());
                    },
                    Qt::QueuedConnection);
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
            }
        });
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        probing = false;
        prober.join();
        refresh.stop();
        capture.Stop();
        capture.waitUntilFinished(10000);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(drawn);
    }
    if (waits.empty() || host.records == 0) {
        state.SkipWithError("no measurement");
        return;
    }
    std::sort(waits.begin(), waits.end());
    g_worstMs = waits.back();
    g_p99Ms = waits[std::min(waits.size() - 1, size_t(double(waits.size()) * 0.99))];
    state.counters["worst_ms"] = g_worstMs;
    state.counters["p99_ms"] = g_p99Ms;
    state.counters["records"] = host.records;
    state.counters["events"] = double(waits.size());
}

BENCHMARK(BM_EventLoopDuringCapture)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_worstMs >= 0) {
        std::printf(
            "\nposted event wait during capture: worst %.2f ms, p99 %.2f ms; "
            "limit %.0f ms: ratio worst/limit %.3f (target < 1)\n",
            g_worstMs, g_p99Ms, kLimitMs, g_worstMs / kLimitMs);
    }
    return 0;
}
