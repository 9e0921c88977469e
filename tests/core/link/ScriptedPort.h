#pragma once

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <vector>

#include "link/SerialPort.h"

namespace tevra::test {

// A serial port that plays back prepared replies and records what was written, for the
// cases a real drive cannot produce: a purge that fails, a short write, odd reply bytes.
class ScriptedPort : public SerialPort {
  public:
    // One entry per read call, in order; a read with no entry left gets nothing.
    std::deque<QByteArray> replies;
    // Bytes accepted by each write call, in order; calls beyond the list accept all.
    std::vector<int> writeLimits;
    // The purge call (counted from 0) that fails, or -1.
    int failingPurge = -1;

    std::vector<QByteArray> writes;
    // When each write call began.
    std::vector<std::chrono::steady_clock::time_point> writeTimes;
    int purges = 0;
    int reads = 0;

    bool open(const QString&, int, QString*) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    QString deviceName() const override { return QStringLiteral("scripted"); }
    bool setBaudRate(int) override { return true; }
    int baudRate() const override { return 115200; }
    bool setTimeouts(const SerialTimeouts&) override { return true; }
    SerialTimeouts timeouts() const override { return {}; }

    bool purge() override { return purges++ != failingPurge; }
    int write(const uint8_t* data, int count) override {
        writeTimes.push_back(std::chrono::steady_clock::now());
        const size_t call = writes.size();
        const int accepted = call < writeLimits.size() ? std::min(count, writeLimits[call]) : count;
        writes.emplace_back(reinterpret_cast<const char*>(data), accepted);
        return accepted;
    }
    int read(uint8_t* data, int count) override {
        ++reads;
        if (replies.empty()) {
            return 0;
        }
        const QByteArray r = replies.front();
        replies.pop_front();
        const int n = std::min<int>(count, static_cast<int>(r.size()));
        std::memcpy(data, r.constData(), static_cast<size_t>(n));
        return n;
    }
};

}  // namespace tevra::test
