// ReadAllParameters over the demo drive's parameter list against the simulated drive
// paced at 115200 bit/s, beside the wire time of the same frames (request and reply
// bytes at 10 bits per byte), which no implementation can beat. Prints both and their
// ratio (wire time / measured time; 1.0 would be a line that never rests).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "BenchDrive.h"
#include "DriveModel.h"
#include "description/ModelList.h"
#include "description/ParameterSection.h"
#include "parameters/ParameterGridModel.h"
#include "parameters/ParameterReadEngine.h"
#include "parameters/ParameterValues.h"
#include "shell/ProgramFolders.h"

namespace {

using namespace tevra;
using Clock = std::chrono::steady_clock;

// The drive is paced to its rate.
const int kBaud = bench::DriveConfig(true).baud;

class CountingFailures : public ReadFailureReporter {
  public:
    void reportReadFailure(const QString&, const QString&) override { ++failures; }
    int failures = 0;
};

struct Setup {
    Setup() {
        const ProgramFolders folders(QStringLiteral(TEVRA_PROGRAM_DIR), QStringLiteral("/tmp"));
        const ModelDescription model = LoadSelectedModelDescription(folders, ModelList(folders));
        auto section = ReadParameterSection(model.lines, model.relativeName);
        if (!section || section->entries.isEmpty()) {
            std::fprintf(stderr, "no demo parameter list in %s\n", TEVRA_PROGRAM_DIR);
            std::abort();
        }
        entries = section->entries;
        QVector<QStringList> rows;
        for (const ParameterEntry& e : entries) {
            rows.append({PrNumberText(e.PrNumber), e.Name, QStringLiteral(u"未知")});
            const ReadKind kind = ReadKindOf(e.TypeCode);
            if (IsWordRead(kind)) {
                wireBytes += 8 + 4;
                ++reads;
            } else if (kind != ReadKind::None) {
                wireBytes += 8 + 6;
                ++reads;
            }
        }
        grid.setDataRows(rows);

        QString error;
        if (auto m = sim::loadDriveModel(folders, QString(), &error)) {
            sim::applyDriveModel(*d.drive, *m);
        }
    }

    ParameterList entries;
    ParameterGridModel grid;
    int64_t wireBytes = 0;
    int reads = 0;
    bench::BenchDrive d{bench::DriveConfig(true)};
};

void BM_ReadAllParameters(benchmark::State& state) {
    static Setup setup;
    CountingFailures failures;
    double seconds = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        const Clock::time_point begin = Clock::now();
        ReadAllParameters(*setup.d.link, setup.grid, setup.entries, failures, nullptr);
        const double s = std::chrono::duration<double>(Clock::now() - begin).count();
        state.SetIterationTime(s);
        seconds += s;
        ++runs;
    }
    const double measured = seconds / double(runs);
    const double wire = double(setup.wireBytes) * 10.0 / kBaud;
    state.counters["parameters_read"] = setup.reads;
    state.counters["measured_ms"] = measured * 1000.0;
    state.counters["wire_ms"] = wire * 1000.0;
    state.counters["wire_over_measured"] = wire / measured;
    state.counters["read_failures"] = failures.failures;
    std::printf(
        "ReadAllParameters: %d reads in %.1f ms; wire time of the same frames %.1f ms; "
        "ratio %.3f\n",
        setup.reads, measured * 1000.0, wire * 1000.0, wire / measured);
}
BENCHMARK(BM_ReadAllParameters)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
