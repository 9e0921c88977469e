// Frame time of a full redraw of the oscilloscope plot: four channels over 801 columns,
// zero lines, trigger line, measurement lines and the mouse axis. The 1000 Hz refresh
// option leaves 1 ms per frame; each benchmark reports its frame time as a ratio to that
// budget (counter "ratio_to_1ms", below 1 is within it).

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cmath>

#include "scope/SampleType.h"
#include "scope/TframeWave.h"
#include "scope/Trigger.h"
#include "scope/WaveModel.h"
#include "scope/WaveRenderer.h"
#include "scope/display/PlotInteraction.h"
#include "scope/display/WaveStatusTexts.h"
#include "scope/display/WaveTraces.h"
#include "shell/AppContext.h"

using namespace tevra;

namespace {

// Four channels of lively signals, measurement lines on and an armed trigger. With
// `noisy`, every channel also carries noise over several divisions, the worst case for
// the traces: long vertical runs in every column.
void fillModel(WaveModel& model, bool noisy = false) {
    uint32_t seed = 12345;
    const uint16_t zeros[] = {130, 200, 325, 455};
    for (int n = 0; n < 4; ++n) {
        WaveChannel& ch = model.Channels[n];
        ch.ZeroLineBackup = zeros[n];
        ch.switchOn();
        ch.ValuePerDivision = 500.0;
        ch.SampleType = n == 3 ? sample_type::kInt32 : sample_type::kInt16;
        ch.Color = n == 0 ? 0xFF0000 : n == 1 ? 0x000080 : n == 2 ? 0 : 0x800080;
        for (int i = 0; i < plot::kColumns * 4; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double noise = noisy ? (double(seed >> 8) / double(1 << 24) - 0.5) * 3000.0
                                       : 40.0 * std::sin(i * 1.7);
            const double v = 1500.0 * std::sin(i * (n + 1) * 0.02) + noise;
            model.Buffers.WaveBuffer(n)[i] =
                uint32_t(int32_t(std::lround(v))) & (n == 3 ? 0xFFFFFFFFu : 0xFFFFu);
        }
    }
    model.MeasureLinesOn = true;
    model.Trigger.Armed = true;
    model.Trigger.Channel = 1;
    SetTriggerLevel(model, 100);
}

void setRatio(benchmark::State& state) {
    state.counters["ratio_to_1ms"] =
        benchmark::Counter(double(state.iterations()) * 1e-3,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["frames_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// Traces from the buffers and the picture, as each refresh tick does; argument 1 for the
// noisy signals.
void BM_FullRedraw(benchmark::State& state) {
    auto model = std::make_unique<WaveModel>();
    fillModel(*model, state.range(0) != 0);
    PlotInteraction lines(*model, [&](int y) { SetTriggerLevel(*model, y); });
    WaveTraces traces(*model);
    WaveRenderer renderer;
    WaveStatusTexts texts;
    const PlotContext context;
    for (auto _ : state) {
        traces.compute(0, plot::kColumns - 1, WaveShiftMode::Both, false);
        texts.updateAxisReadouts(*model, traces, WaveShiftMode::Both, false);
        lines.keepZeroLevelBackups();
        benchmark::DoNotOptimize(renderer.render(*model, traces, lines, context).constBits());
        // The next frame scrolls by one column, so no frame repeats the previous one.
        model->ScrollOffset = (model->ScrollOffset + 1) % (plot::kColumns * 3);
    }
    setRatio(state);
}
BENCHMARK(BM_FullRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The picture alone, from traces already computed.
void BM_RenderOnly(benchmark::State& state) {
    auto model = std::make_unique<WaveModel>();
    fillModel(*model);
    PlotInteraction lines(*model, [&](int y) { SetTriggerLevel(*model, y); });
    WaveTraces traces(*model);
    WaveRenderer renderer;
    traces.compute(0, plot::kColumns - 1, WaveShiftMode::Both, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderer.render(*model, traces, lines, {}).constBits());
    }
    setRatio(state);
}
BENCHMARK(BM_RenderOnly)->Unit(benchmark::kMicrosecond);

// The whole page as the refresh timer drives it: traces, picture, markers, status texts,
// and the paint of the shown page by the event loop.
void BM_PageRedraw(benchmark::State& state) {
    AppContext ctx;
    TframeWave page(ctx, nullptr);
    fillModel(page.model());
    page.resize(page.minimumSize());
    page.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        page.redrawNow();
        QCoreApplication::processEvents();
        page.model().ScrollOffset = (page.model().ScrollOffset + 1) % (plot::kColumns * 3);
    }
    setRatio(state);
}
BENCHMARK(BM_PageRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
