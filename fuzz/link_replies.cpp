// Drive replies of any content and length through every transaction: no crash, no
// undefined behaviour, and a value is handed out only from a reply that passed its check.

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

#include "link/CommunicationProtocol.h"
#include "link/SerialPort.h"

namespace {

using namespace tevra;

// Plays back the fuzzer's replies, one per read, and accepts or cuts writes as told.
class FuzzPort : public SerialPort {
  public:
    std::deque<std::vector<uint8_t>> replies;
    std::vector<uint8_t> lastReply;
    bool failPurge = false;
    int writeLimit = 1000;

    bool open(const QString&, int, QString*) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    QString deviceName() const override { return QString(); }
    bool setBaudRate(int) override { return true; }
    int baudRate() const override { return 115200; }
    bool setTimeouts(const SerialTimeouts&) override { return true; }
    SerialTimeouts timeouts() const override { return {}; }
    bool purge() override { return !failPurge; }
    int write(const uint8_t*, int count) override { return std::min(count, writeLimit); }
    int read(uint8_t* data, int count) override {
        if (replies.empty()) {
            lastReply.clear();
            return 0;
        }
        lastReply = replies.front();
        replies.pop_front();
        const int n = std::min<int>(count, static_cast<int>(lastReply.size()));
        if (n > 0) {
            std::memcpy(data, lastReply.data(), static_cast<size_t>(n));
        }
        lastReply.resize(static_cast<size_t>(n));
        return n;
    }
};

bool sumIsZero(const std::vector<uint8_t>& r) {
    unsigned s = 0;
    for (uint8_t b : r) {
        s += b;
    }
    return (s & 0xFF) == 0;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    FuzzPort port;
    const uint8_t which = data[0] % 13;
    port.failPurge = (data[1] & 0x80) != 0 && (data[1] & 0x40) != 0;
    port.writeLimit = (data[1] & 0x20) != 0 ? data[1] & 0x1F : 1000;
    // The rest: replies, each a length byte and that many bytes.
    size_t i = 2;
    while (i < size) {
        const size_t n = std::min<size_t>(data[i], size - i - 1);
        port.replies.emplace_back(data + i + 1, data + i + 1 + n);
        i += n + 1;
    }

    TCommunicationProtocol p;
    p.RetryPause = std::chrono::milliseconds(0);
    uint16_t w = 0x5A5A;
    uint32_t d = 0x5A5A5A5A;
    QString text;
    switch (which) {
        case 0:
            if (p.ReadWord(port, 1, 0x123456, w)) {
                check(port.lastReply.size() == 4 && sumIsZero(port.lastReply));
                check(w == (port.lastReply[1] | (port.lastReply[2] << 8)));
            }
            break;
        case 1:
            p.WriteWord(port, 1, 2, 3);
            break;
        case 2:
            if (p.ReadDWord(port, 1, 2, d)) {
                check(port.lastReply.size() == 6 && sumIsZero(port.lastReply));
            }
            break;
        case 3:
            if (p.WriteDWord(port, 1, 2, 3)) {
                check(port.lastReply.size() == 1 && port.lastReply[0] == 0x4D);
            }
            break;
        case 4:
            if (p.ReadEepromWord(port, 1, 2, w)) {
                check(sumIsZero(port.lastReply) && w != TCommunicationProtocol::kBusyAnswer);
            }
            break;
        case 5:
            p.WriteEepromWord(port, 1, 2, 3);
            break;
        case 6:
            if (p.ReadEepromByte(port, 1, 2, w)) {
                check(sumIsZero(port.lastReply) && w != TCommunicationProtocol::kBusyAnswer);
            }
            break;
        case 7:
            if (p.ReadInfoString(port, 1, 5, text)) {
                check(!port.lastReply.empty() && port.lastReply[0] == 0x30);
            }
            break;
        case 8:
            if (p.SendControlCode(port, 1, 0x50)) {
                check(port.lastReply.size() == 1 && port.lastReply[0] == 0x50);
            }
            break;
        case 9:
            p.WaveStartDual(port, 1, {1, 2, 3, 4}, 800, 0x21);
            break;
        case 10:
            p.WaveStartQuad(port, 1, {1, 2, 3, 4}, 800, 0x22);
            break;
        case 11:
            if (p.ModbusReadWord(port, 1, 1, w)) {
                check(port.lastReply.size() == 7);
                check(w == port.lastReply[3] * 256 + port.lastReply[4]);
            }
            break;
        default:
            p.LinkProbe(port, 1);
            break;
    }
    check(p.ErrorCount >= 0 && p.ErrorCount <= 4 + 4);
    return 0;
}
