// Capture throughput: the wave capture storing a full-speed four-word stream from the
// simulated drive, beside a bare read of the same stream over the same kind of terminal
// (the limit). Prints samples per second of both and their ratio.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchDrive.h"
#include "scope/WaveCapture.h"

namespace {

using namespace tevra;
using Clock = std::chrono::steady_clock;

constexpr int kScreenCount = 80;
constexpr int kSamples = 800 * kScreenCount;  // 64000 samples per record
constexpr auto kSlots = bench::kCaptureSlots;

double g_bareRate = 0;
double g_captureRate = 0;

// The drive streams noise on the four registers.
struct Drive : bench::BenchDrive {
    Drive() {
        for (int k = 0; k < 4; ++k) {
            sim::SignalSpec spec;
            spec.kind = sim::SignalKind::Noise;
            spec.seed = uint64_t(k + 1);
            spec.amplitude = 30000;
            drive->bindSignal(kSlots[k], spec);
        }
    }
};

// The limit: the same wave-start frame, then the stream taken off the terminal in large
// reads, nothing stored. Returns the seconds the record took, or a negative value.
double bareRecord(Drive& d, std::vector<uint8_t>& buffer) {
    const int64_t bytes = int64_t(kSamples) * 8;
    Clock::time_point begin = Clock::now();
    if (!d.link->protocol().WaveStartQuad(d.link->port(), 1, kSlots, kSamples, 0x22)) {
        return -1;
    }
    int64_t got = 0;
    while (got < bytes) {
        int want = int(std::min<int64_t>(int64_t(buffer.size()), bytes - got));
        int n = d.link->port().read(buffer.data(), want);
        if (n <= 0) {
            return -1;
        }
        got += n;
    }
    benchmark::DoNotOptimize(buffer.data());
    return std::chrono::duration<double>(Clock::now() - begin).count();
}

// Stops the capture after its first record.
class OneRecordHost : public CaptureHost {
  public:
    void applyInversionKeys(uint32_t) override {}
    void showTiming(const QString&, const QString&) override { capture->Stop(); }
    void disconnectLink() override {}
    void captureStopped() override {}
    void triggerFired() override {}
    void captureFinished() override {}
    WaveCapture* capture = nullptr;
};

// One iteration: a bare record, then a whole capture of one record (Run to the end of the
// thread), of the same drive over the same terminal. Alternating the two keeps the load
// of a shared machine from favouring either.
void BM_CaptureBesideBareRead(benchmark::State& state) {
    bench::EnsureCoreApplication();
    Drive d;
    std::vector<uint8_t> buffer(64 * 1024);
    const RegisterDirectory directory = bench::CaptureDirectory();
    auto model = bench::CaptureModel(kScreenCount);
    std::atomic<bool> running{false};
    OneRecordHost host;
    bench::QuietDialogs dialogs;
    WaveCapture capture(*model, *d.link, running, host, dialogs);
    host.capture = &capture;
    WaveSourceCatalog catalog{true, nullptr, &directory};

    double bareSeconds = 0;
    double captureSeconds = 0;
    for (auto _ : state) {
        double bare = bareRecord(d, buffer);
        if (bare < 0) {
            state.SkipWithError("bare read: stream ended early");
            return;
        }
        bareSeconds += bare;
        Clock::time_point begin = Clock::now();
        if (capture.Run(catalog) != RunOutcome::Started || !capture.waitUntilFinished(60000) ||
            capture.progress().Samples != kSamples) {
            state.SkipWithError("capture did not complete");
            return;
        }
        captureSeconds += std::chrono::duration<double>(Clock::now() - begin).count();
    }
    double records = double(state.iterations());
    g_bareRate = records * kSamples / bareSeconds;
    g_captureRate = records * kSamples / captureSeconds;
    state.counters["bare_samples_per_s"] = g_bareRate;
    state.counters["capture_samples_per_s"] = g_captureRate;
    state.counters["ratio"] = g_captureRate / g_bareRate;
}

BENCHMARK(BM_CaptureBesideBareRead)->Unit(benchmark::kMillisecond)->MinTime(4.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_bareRate > 0 && g_captureRate > 0) {
        std::printf(
            "\ncapture %.0f samples/s, bare read %.0f samples/s (limit): ratio %.3f "
            "(target >= 0.8)\n",
            g_captureRate, g_bareRate, g_captureRate / g_bareRate);
    }
    return 0;
}
