// Every section reader over arbitrary text: each returns records or an error that names
// a line of the text, and never crashes or hangs.

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>

#include "description/DescriptionReaders.h"
#include "text/Gbk.h"
#include "text/TextUtil.h"

using namespace tevra;

namespace {

template <typename T>
void check(const DescriptionResult<T>& r, qsizetype lineCount) {
    if (!r) {
        const DescriptionError& e = r.error();
        if (e.kind != DescriptionErrorKind::BadNumber || e.lineNumber < 1 ||
            e.lineNumber > lineCount || e.field.isEmpty()) {
            __builtin_trap();
        }
        (void)e.toString();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = splitLines(
        fromGbk(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))));
    const qsizetype n = lines.size();
    const QString file = QStringLiteral("\\System\\SysConfig.ddt");

    auto parameters = ReadParameterSection(lines, file);
    check(parameters, n);
    if (parameters) {
        for (const ParameterEntry& p : parameters->entries) {
            if (p.Name.size() > 100 || p.Description.size() > 2000 || p.RangeText.size() > 31 ||
                p.TypeCode > 69) {
                __builtin_trap();
            }
        }
    }
    auto registers = ReadRegisterSection(lines, file);
    check(registers, n);
    check(ReadWaveRegDefSection(lines, file), n);
    check(ReadAlarmSection(lines, file), n);
    check(ReadWaveSections(lines, file), n);
    check(ReadUserMonitorSections(lines, file), n);
    check(ReadZeroSections(lines, file), n);
    check(ReadIplcSection(lines, file), n);
    const RegisterList regs = registers ? *registers : RegisterList{};
    check(ReadIoSection(lines, regs, file), n);
    check(ReadSysRegSection(lines, regs, file), n);
    check(ReadNoImportSection(lines, file), n);
    return 0;
}
