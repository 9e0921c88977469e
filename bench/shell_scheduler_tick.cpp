// Cost of a polling scheduler tick beside the link probe it is built around.
//
// A connected tick blinks the lamps, counts, runs the services every (ScanTime + 1)-th tick
// and probes the link; the probe's two exchanges with the drive dominate. The limit is a
// bare LinkProbe on the same simulated drive over a pseudo-terminal, measured in the same
// run: the ratio (probes per second of the tick loop / probes per second of the bare loop)
// shows what the scheduler adds around the transactions.

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "BenchDrive.h"
#include "shell/AppContext.h"
#include "shell/PollingScheduler.h"

namespace {

struct Bench {
    Bench() {
        ctx.link = std::move(d.link);
        ctx.MainReady = true;
        scheduler = std::make_unique<tevra::PollingScheduler>(ctx);
        ctx.scheduler = scheduler.get();
        // A light service, as the alarm page's would be without its transactions.
        scheduler->registerService(tevra::PollingScheduler::Alarm, nullptr, [this] { ++served; });
    }
    ~Bench() {
        scheduler.reset();
        ctx.link.reset();
    }
    tevra::bench::BenchDrive d;
    tevra::AppContext ctx;
    std::unique_ptr<tevra::PollingScheduler> scheduler;
    long served = 0;
};

Bench& bench() {
    static Bench b;
    return b;
}

void BM_BareLinkProbe(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state) {
        benchmark::DoNotOptimize(b.ctx.link->LinkProbe());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareLinkProbe)->UseRealTime()->MinTime(2.0);

void BM_SchedulerTick(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state) {
        b.scheduler->tick();
        if (!b.ctx.link->isConnected()) {
            state.SkipWithError("link given up");
            break;
        }
    }
    b.scheduler->setTimerEnabled(false);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SchedulerTick)->UseRealTime()->MinTime(2.0);

// Keeps the per-iteration real time of every run for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.iterations > 0) {
                seconds[r.benchmark_name()] = r.real_accumulated_time / r.iterations;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double probe = reporter.seconds["BM_BareLinkProbe/min_time:2.000/real_time"];
    const double tick = reporter.seconds["BM_SchedulerTick/min_time:2.000/real_time"];
    if (probe > 0 && tick > 0) {
        std::printf(
            "bare probe: %.1f per second; scheduler tick: %.1f per second; "
            "ratio to the limit: %.3f\n",
            1.0 / probe, 1.0 / tick, probe / tick);
    }
    benchmark::Shutdown();
    return 0;
}
