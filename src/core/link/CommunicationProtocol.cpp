#include "link/CommunicationProtocol.h"

#include <chrono>
#include <thread>

#include "text/Gbk.h"

namespace tevra {

namespace frame {

uint8_t NativeChecksum(const uint8_t* bytes, int count) {
    unsigned sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += bytes[i];
    }
    return static_cast<uint8_t>((256 - (sum & 0xFF)) & 0xFF);
}

bool NativeSumIsZero(const uint8_t* bytes, int count) {
    unsigned sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += bytes[i];
    }
    return (sum & 0xFF) == 0;
}

uint16_t Crc16Modbus(const uint8_t* bytes, int count) {
    uint16_t crc = 0xFFFF;
    for (int i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}

}  // namespace frame

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr int kPortFailure = 4;
constexpr int kTextReplyMax = 100;

// What a transaction does with one outcome of an attempt.
enum class Action {
    Stop,         // ErrorCount := 4, false at once
    Next,         // next attempt, ErrorCount unchanged
    CountNext,    // ErrorCount + 1, next attempt
    ReturnFalse,  // false at once, ErrorCount unchanged
};

// The rules of one native transaction.
struct Rules {
    int attempts;
    int replyLength;                    // bytes asked of the port; 0 when no reply is read
    Action portFailure = Action::Stop;  // buffers not cleared
    Action shortWrite = Action::Stop;
    Action shortReply = Action::Stop;
    Action invalid = Action::CountNext;  // a reply arrived but failed its check
    Action busy = Action::Next;
    // The reply counts as short only when nothing arrived (text replies).
    bool anyByteIsEnough = false;
};

// How one received reply turned out.
enum class Reply { Valid, Invalid, Busy };

void putAddress(uint8_t* at, uint32_t address) {
    at[0] = static_cast<uint8_t>(address & 0xFF);
    at[1] = static_cast<uint8_t>((address >> 8) & 0xFF);
    at[2] = static_cast<uint8_t>((address >> 16) & 0xFF);
}

void putWord(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t wordAt(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

// Starts a native request of `length` bytes in `tx`: start byte, length, station, command.
void beginFrame(uint8_t* tx, int length, uint8_t station, uint8_t command) {
    tx[0] = 0xAA;
    tx[1] = static_cast<uint8_t>(length);
    tx[2] = station;
    tx[3] = command;
}

void endFrame(uint8_t* tx, int length) {
    tx[length - 1] = frame::NativeChecksum(tx, length - 1);
}

// The attempt loop shared by the native transactions; the request is in TxBuffer.
// `check` looks at the `got` bytes of RxBuffer, stores the output and classifies the reply.
template <typename Check>
bool runAttempts(TCommunicationProtocol& p, SerialPort& port, int frameLength, const Rules& rules,
                 Check check) {
    // Returns true when the loop must end now (with false).
    auto apply = [&](Action a) {
        switch (a) {
            case Action::Stop:
                p.ErrorCount = kPortFailure;
                return true;
            case Action::ReturnFalse:
                return true;
            case Action::CountNext:
                ++p.ErrorCount;
                return false;
            case Action::Next:
                return false;
        }
        return true;
    };
    for (int attempt = 0; attempt < rules.attempts; ++attempt) {
        if (attempt >= 1) {
            std::this_thread::sleep_for(p.RetryPause);
        }
        if (!port.purge()) {
            if (apply(rules.portFailure)) {
                return false;
            }
            continue;
        }
        if (port.write(p.TxBuffer.data(), frameLength) != frameLength) {
            if (apply(rules.shortWrite)) {
                return false;
            }
            continue;
        }
        if (rules.replyLength == 0) {
            p.ErrorCount = 0;
            return true;
        }
        const int got = port.read(p.RxBuffer.data(), rules.replyLength);
        const bool isShort = rules.anyByteIsEnough ? got < 1 : got < rules.replyLength;
        if (isShort) {
            if (apply(rules.shortReply)) {
                return false;
            }
            continue;
        }
        switch (check(got)) {
            case Reply::Valid:
                p.ErrorCount = 0;
                return true;
            case Reply::Busy:
                if (apply(rules.busy)) {
                    return false;
                }
                break;
            case Reply::Invalid:
                if (apply(rules.invalid)) {
                    return false;
                }
                break;
        }
    }
    return false;
}

}  // namespace

bool TCommunicationProtocol::ReadWord(SerialPort& port, uint8_t station, uint32_t address,
                                      uint16_t& value) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 8, station, 0x10);
    putAddress(tx + 4, address);
    endFrame(tx, 8);
    const Rules rules{.attempts = 4, .replyLength = 4};
    return runAttempts(*this, port, 8, rules, [&](int) {
        if (!frame::NativeSumIsZero(RxBuffer.data(), 4)) {
            return Reply::Invalid;
        }
        value = wordAt(RxBuffer.data() + 1);
        return Reply::Valid;
    });
}

bool TCommunicationProtocol::WriteWord(SerialPort& port, uint8_t station, uint32_t address,
                                       uint16_t value) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 10, station, 0x11);
    putAddress(tx + 4, address);
    putWord(tx + 7, value);
    endFrame(tx, 10);
    const Rules rules{.attempts = 4, .replyLength = 4};
    return runAttempts(*this, port, 10, rules, [&](int) {
        return frame::NativeSumIsZero(RxBuffer.data(), 4) ? Reply::Valid : Reply::Invalid;
    });
}

bool TCommunicationProtocol::ReadDWord(SerialPort& port, uint8_t station, uint32_t address,
                                       uint32_t& value) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 8, station, 0x16);
    putAddress(tx + 4, address);
    endFrame(tx, 8);
    const Rules rules{.attempts = 4, .replyLength = 6};
    return runAttempts(*this, port, 8, rules, [&](int) {
        if (!frame::NativeSumIsZero(RxBuffer.data(), 6)) {
            return Reply::Invalid;
        }
        const uint8_t* rx = RxBuffer.data();
        value = static_cast<uint32_t>(rx[1]) | (static_cast<uint32_t>(rx[2]) << 8) |
                (static_cast<uint32_t>(rx[3]) << 16) | (static_cast<uint32_t>(rx[4]) << 24);
        return Reply::Valid;
    });
}

bool TCommunicationProtocol::WriteDWord(SerialPort& port, uint8_t station, uint32_t address,
                                        uint32_t value) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 12, station, 0x17);
    putAddress(tx + 4, address);
    putWord(tx + 7, static_cast<uint16_t>(value & 0xFFFF));
    putWord(tx + 9, static_cast<uint16_t>(value >> 16));
    endFrame(tx, 12);
    const Rules rules{.attempts = 4, .replyLength = 1};
    return runAttempts(*this, port, 12, rules,
                       [&](int) { return RxBuffer[0] == 0x4D ? Reply::Valid : Reply::Invalid; });
}

bool TCommunicationProtocol::ReadEepromWord(SerialPort& port, uint8_t station, uint32_t byteAddress,
                                            uint16_t& value) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 8, station, 0x1A);
    putAddress(tx + 4, byteAddress);
    endFrame(tx, 8);
    const Rules rules{.attempts = 2, .replyLength = 4, .shortReply = Action::Next};
    return runAttempts(*this, port, 8, rules, [&](int) {
        if (!frame::NativeSumIsZero(RxBuffer.data(), 4)) {
            return Reply::Invalid;
        }
        const uint16_t v = wordAt(RxBuffer.data() + 1);
        value = v;
        return v == kBusyAnswer ? Reply::Busy : Reply::Valid;
    });
}

bool TCommunicationProtocol::WriteEepromWord(SerialPort& port, uint8_t station,
                                             uint32_t byteAddress, uint16_t value) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 10, station, 0x1B);
    putAddress(tx + 4, byteAddress);
    putWord(tx + 7, value);
    endFrame(tx, 10);
    const Rules rules{.attempts = 2, .replyLength = 4};
    return runAttempts(*this, port, 10, rules, [&](int) {
        if (!frame::NativeSumIsZero(RxBuffer.data(), 4)) {
            return Reply::Invalid;
        }
        return wordAt(RxBuffer.data() + 1) == kBusyAnswer ? Reply::Busy : Reply::Valid;
    });
}

bool TCommunicationProtocol::ReadEepromByte(SerialPort& port, uint8_t station, uint32_t byteAddress,
                                            uint16_t& value) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 8, station, 0x1E);
    putAddress(tx + 4, byteAddress);
    endFrame(tx, 8);
    const Rules rules{.attempts = 2, .replyLength = 4};
    return runAttempts(*this, port, 8, rules, [&](int) {
        if (!frame::NativeSumIsZero(RxBuffer.data(), 4)) {
            return Reply::Invalid;
        }
        const uint16_t v = wordAt(RxBuffer.data() + 1);
        value = v;
        return v == kBusyAnswer ? Reply::Busy : Reply::Valid;
    });
}

bool TCommunicationProtocol::ReadInfoString(SerialPort& port, uint8_t station, uint8_t code,
                                            QString& text) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 6, station, 0x30);
    tx[4] = code;
    endFrame(tx, 6);
    const Rules rules{.attempts = 4,
                      .replyLength = kTextReplyMax,
                      .portFailure = Action::ReturnFalse,
                      .shortWrite = Action::ReturnFalse,
                      .shortReply = Action::Next,
                      .invalid = Action::Next,
                      .anyByteIsEnough = true};
    return runAttempts(*this, port, 6, rules, [&](int got) {
        if (RxBuffer[0] != 0x30) {
            return Reply::Invalid;
        }
        // Bytes 2 .. got-2 carry the text; the first and the last byte are framing.
        text =
            got >= 4
                ? fromGbk(QByteArray(reinterpret_cast<const char*>(RxBuffer.data() + 2), got - 3))
                : QString();
        return Reply::Valid;
    });
}

bool TCommunicationProtocol::SendControlCode(SerialPort& port, uint8_t station, uint8_t code) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 7, station, code);
    tx[4] = 0xAA;
    tx[5] = 0x55;
    endFrame(tx, 7);
    const Rules rules{.attempts = 4, .replyLength = 1};
    return runAttempts(*this, port, 7, rules,
                       [&](int) { return RxBuffer[0] == code ? Reply::Valid : Reply::Invalid; });
}

namespace {

// Mode, sample count and `slotCount` slots of a wave-start frame, from byte 4 on.
void putWavePayload(uint8_t* tx, uint8_t mode, uint16_t sampleCount,
                    const std::array<uint16_t, 4>& slots, int slotCount) {
    tx[4] = mode;
    putWord(tx + 5, sampleCount);
    for (int i = 0; i < slotCount; ++i) {
        uint8_t* at = tx + 7 + 3 * i;
        putWord(at, slots[static_cast<size_t>(i)]);
        at[2] = 0x00;
    }
}

}  // namespace

bool TCommunicationProtocol::WaveStartDual(SerialPort& port, uint8_t station,
                                           const std::array<uint16_t, 4>& slots,
                                           uint16_t sampleCount, uint8_t mode) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 14, station, 0x19);
    putWavePayload(tx, mode, sampleCount, slots, 2);
    endFrame(tx, 14);
    const Rules rules{.attempts = 4, .replyLength = 0, .shortWrite = Action::CountNext};
    return runAttempts(*this, port, 14, rules, [](int) { return Reply::Valid; });
}

bool TCommunicationProtocol::WaveStartQuad(SerialPort& port, uint8_t station,
                                           const std::array<uint16_t, 4>& slots,
                                           uint16_t sampleCount, uint8_t mode) {
    Lock lock(mutex_);
    uint8_t* tx = TxBuffer.data();
    beginFrame(tx, 20, station, 0x18);
    putWavePayload(tx, mode, sampleCount, slots, 4);
    endFrame(tx, 20);
    if (!port.purge() || port.write(tx, 10) != 10 || port.write(tx + 10, 10) != 10) {
        ErrorCount = kPortFailure;
        return false;
    }
    ErrorCount = 0;
    return true;
}

bool TCommunicationProtocol::ModbusReadWord(SerialPort& port, uint8_t station,
                                            uint16_t registerNumber, uint16_t& value) {
    Lock lock(mutex_);
    TxBuffer.fill(0);
    RxBuffer.fill(0);
    uint8_t* tx = TxBuffer.data();
    const uint8_t* rx = RxBuffer.data();
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (attempt >= 1) {
            std::this_thread::sleep_for(RetryPause);
        }
        tx[0] = station;
        tx[1] = 0x03;
        tx[2] = static_cast<uint8_t>(registerNumber >> 8);
        tx[3] = static_cast<uint8_t>(registerNumber & 0xFF);
        tx[4] = 0x00;
        tx[5] = 0x01;
        const uint16_t crc = frame::Crc16Modbus(tx, 6);
        tx[6] = static_cast<uint8_t>(crc & 0xFF);
        tx[7] = static_cast<uint8_t>(crc >> 8);
        if (!port.purge() || port.write(tx, 8) != 8) {
            ErrorCount = kPortFailure;
            return false;
        }
        if (port.read(RxBuffer.data(), 7) < 7) {
            ++ErrorCount;
            continue;
        }
        const uint16_t replyCrc = frame::Crc16Modbus(rx, 5);
        if (rx[5] == (replyCrc & 0xFF) && rx[6] == (replyCrc >> 8)) {
            value = static_cast<uint16_t>(rx[3] * 256 + rx[4]);
            ErrorCount = 0;
            return true;
        }
        ++ErrorCount;
    }
    return false;
}

bool TCommunicationProtocol::LinkProbe(SerialPort& port, uint8_t station) {
    Lock lock(mutex_);
    uint16_t value = 0;
    const bool modbus = ModbusReadWord(port, station, 1, value);
    const bool native = ReadWord(port, station, 1, value);
    return modbus && native;
}

}  // namespace tevra
