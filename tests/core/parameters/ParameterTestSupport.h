#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

#include "SimulatedDrive.h"
#include "description/DriveDescription.h"
#include "parameters/StatusProgress.h"

#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace tevra::test {

// A native request as the drive received it: command, 24-bit address and the value bytes
// that follow the address (little-endian).
struct Request {
    int command = 0;
    uint32_t address = 0;
    uint32_t value = 0;
    bool operator==(const Request&) const = default;
};

inline std::vector<Request> NativeRequests(const sim::SimulatedDrive& drive) {
    std::vector<Request> out;
    for (const sim::ReceivedFrame& f : drive.frames()) {
        if (f.modbus || f.bytes.size() < 8) {
            continue;
        }
        const auto b = [&](int i) {
            return static_cast<uint32_t>(static_cast<uint8_t>(f.bytes[i]));
        };
        Request r;
        r.command = f.command();
        r.address = b(4) | (b(5) << 8) | (b(6) << 16);
        for (int i = 7, shift = 0; i < f.bytes.size() - 1; ++i, shift += 8) {
            r.value |= b(i) << shift;
        }
        out.push_back(r);
    }
    return out;
}

inline std::vector<Request> RequestsOf(const sim::SimulatedDrive& drive, int command) {
    std::vector<Request> out;
    for (const Request& r : NativeRequests(drive)) {
        if (r.command == command) {
            out.push_back(r);
        }
    }
    return out;
}

inline ParameterEntry Entry(uint16_t pr, const QString& typeName, const QString& effect,
                            int64_t lower = -32768, int64_t upper = 32767) {
    ParameterEntry e;
    e.PrNumber = pr;
    e.TypeName = typeName;
    const QString t = typeName.toUpper();
    e.TypeCode = t == "UINT16" ? 1 : t == "INT32" ? 2 : t == "UINT32" ? 3 : t == "IQ24" ? 29 : 0;
    e.EffectMode = effect;
    e.LowerBound = lower;
    e.UpperBound = upper;
    e.RangeText = QString::number(lower) + "-" + QString::number(upper);
    e.Name = QStringLiteral("P%1 %2").arg(pr, 0, 16).arg(typeName);
    return e;
}

// Records what the status window was asked to show.
class RecordingProgress : public StatusProgress {
  public:
    void showStatus(const QString& text) override { texts.push_back(text), shown = true; }
    void setStatusText(const QString& text) override { texts.push_back(text); }
    void showProgressBar(int maximum) override { barMaximum = maximum, steps = 0; }
    void stepProgressBar() override { ++steps; }
    void hideProgressBar() override {}
    void closeStatus() override { shown = false; }
    std::vector<QString> texts;
    bool shown = false;
    int barMaximum = -1;
    int steps = 0;
};

}  // namespace tevra::test
