// The cost of the drive descriptions at start-up, against the floor of reading the same
// text as a plain file: decoding (hex, DES, GBK, lines), every section reader, and the
// start-up sequence (the model description once, the system description once per reader).
// The huge-line pair shows that a reader stays linear in the length of a line.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "description/DescriptionReaders.h"
#include "description/ProtectedTextFile.h"
#include "text/TextFile.h"

using namespace tevra;

namespace {

ProgramFolders demoFolders() {
    return ProgramFolders(QStringLiteral(TEVRA_PROGRAM_DIR), QDir::tempPath());
}

const QString kModel = QStringLiteral("\\Source\\TVD-A04.ddt");
const QString kSystem = protected_file::kSystemDescription;

bool haveDemo(benchmark::State& state) {
    if (!LoadProtectedFile(demoFolders(), kSystem) || !LoadProtectedFile(demoFolders(), kModel)) {
        state.SkipWithError("the program folder has no demo description");
        return false;
    }
    return true;
}

// The floor: the decoded system and model descriptions read as plain GBK text files.
void BM_PlainTextFloor(benchmark::State& state) {
    if (!haveDemo(state)) {
        return;
    }
    QTemporaryDir dir;
    const QString system = dir.filePath(QStringLiteral("system.txt"));
    const QString model = dir.filePath(QStringLiteral("model.txt"));
    writeTextLines(system, *LoadProtectedFile(demoFolders(), kSystem));
    writeTextLines(model, *LoadProtectedFile(demoFolders(), kModel));
    for (auto _ : state) {
        benchmark::DoNotOptimize(readTextLines(system));
        benchmark::DoNotOptimize(readTextLines(model));
    }
}
BENCHMARK(BM_PlainTextFloor)->Unit(benchmark::kMicrosecond);

void BM_DecodeDescriptions(benchmark::State& state) {
    if (!haveDemo(state)) {
        return;
    }
    const ProgramFolders folders = demoFolders();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadProtectedFile(folders, kSystem));
        benchmark::DoNotOptimize(LoadProtectedFile(folders, kModel));
    }
}
BENCHMARK(BM_DecodeDescriptions)->Unit(benchmark::kMicrosecond);

void BM_AllSectionReaders(benchmark::State& state) {
    if (!haveDemo(state)) {
        return;
    }
    const QStringList system = *LoadProtectedFile(demoFolders(), kSystem);
    const QStringList model = *LoadProtectedFile(demoFolders(), kModel);
    const RegisterList registers = *ReadRegisterSection(model);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadParameterSection(model));
        benchmark::DoNotOptimize(ReadRegisterSection(model));
        benchmark::DoNotOptimize(ReadWaveRegDefSection(model));
        benchmark::DoNotOptimize(ReadAlarmSection(model));
        benchmark::DoNotOptimize(ReadWaveSections(system));
        benchmark::DoNotOptimize(ReadUserMonitorSections(system));
        benchmark::DoNotOptimize(ReadZeroSections(system));
        benchmark::DoNotOptimize(ReadIplcSection(system));
        benchmark::DoNotOptimize(ReadIoSection(system, registers));
        benchmark::DoNotOptimize(ReadSysRegSection(system, registers));
        benchmark::DoNotOptimize(ReadNoImportSection(system));
    }
}
BENCHMARK(BM_AllSectionReaders)->Unit(benchmark::kMicrosecond);

// What the main window does when it is created.
void BM_StartupDescriptionLoad(benchmark::State& state) {
    if (!haveDemo(state)) {
        return;
    }
    const ProgramFolders folders = demoFolders();
    for (auto _ : state) {
        const QStringList model = *LoadProtectedFile(folders, kModel);
        benchmark::DoNotOptimize(ReadParameterSection(model));
        const RegisterList registers = *ReadRegisterSection(model);
        benchmark::DoNotOptimize(ReadWaveRegDefSection(model));
        benchmark::DoNotOptimize(ReadAlarmSection(model));
        benchmark::DoNotOptimize(ReadWaveSections(folders, kSystem));
        benchmark::DoNotOptimize(ReadUserMonitorSections(folders, kSystem));
        benchmark::DoNotOptimize(ReadZeroSections(folders, kSystem));
        benchmark::DoNotOptimize(ReadIplcSection(folders, kSystem));
        benchmark::DoNotOptimize(ReadIoSection(folders, kSystem, registers));
        benchmark::DoNotOptimize(ReadNoImportSection(folders, kSystem));
        benchmark::DoNotOptimize(ReadSysRegSection(folders, kSystem, registers));
    }
}
BENCHMARK(BM_StartupDescriptionLoad)->Unit(benchmark::kMicrosecond);

// Every reader over one [Parameter]-headed line of state.range(0) KiB.
void BM_HugeLine(benchmark::State& state) {
    const QStringList text{
        QStringLiteral("[Parameter]"),
        QStringLiteral("P=a.b.c.d.e.f..") + QString(state.range(0) * 1024, QLatin1Char('x'))};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadParameterSection(text));
        benchmark::DoNotOptimize(ReadWaveSections(text));
        benchmark::DoNotOptimize(ReadNoImportSection(text));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * 1024);
}
BENCHMARK(BM_HugeLine)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
