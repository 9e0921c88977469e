// Reply checks and port-failure paths of the transactions, on a scripted port.

#include <gtest/gtest.h>

#include <QByteArray>

#include <chrono>
#include <functional>

#include "ScriptedPort.h"
#include "link/CommunicationProtocol.h"

namespace tevra {
namespace {

using test::ScriptedPort;

QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list) {
        b.append(static_cast<char>(v));
    }
    return b;
}

TEST(Checksums, NativeChecksumMakesTheFrameSumZero) {
    const uint8_t frame[] = {0xAA, 0x08, 0x01, 0x10, 0x01, 0x00, 0x00};
    EXPECT_EQ(frame::NativeChecksum(frame, 7), 0x3C);
    const uint8_t zeroSum[] = {0x00, 0x00};
    EXPECT_EQ(frame::NativeChecksum(zeroSum, 2), 0x00);
    const uint8_t full[] = {0x10, 0x34, 0x12, 0xAA};
    EXPECT_TRUE(frame::NativeSumIsZero(full, 4));
    const uint8_t off[] = {0x10, 0x34, 0x12, 0xAB};
    EXPECT_FALSE(frame::NativeSumIsZero(off, 4));
}

TEST(Checksums, Crc16ModbusCheckValue) {
    const QByteArray text("123456789");
    EXPECT_EQ(frame::Crc16Modbus(reinterpret_cast<const uint8_t*>(text.constData()), 9), 0x4B37);
}

TEST(WordReply, AcceptedOnSumAloneWhateverByteZeroHolds) {
    struct Case {
        QByteArray reply;
        bool ok;
        uint16_t value;
    };
    const Case cases[] = {
        {bytes({0x10, 0x34, 0x12, 0xAA}), true, 0x1234},
        {bytes({0x00, 0x34, 0x12, 0xBA}), true, 0x1234},  // byte 0 not interpreted
        {bytes({0xFF, 0x00, 0x00, 0x01}), true, 0x0000},
        {bytes({0x10, 0x34, 0x12, 0xAB}), false, 0},  // right value, wrong sum
        {bytes({0x10, 0x34, 0x12, 0x00}), false, 0},
    };
    for (const Case& c : cases) {
        ScriptedPort port;
        // An invalid reply is retried: give every attempt the same reply.
        for (int i = 0; i < 4; ++i) {
            port.replies.push_back(c.reply);
        }
        TCommunicationProtocol p;
        uint16_t value = 0xEEEE;
        EXPECT_EQ(p.ReadWord(port, 1, 1, value), c.ok) << c.reply.toHex().toStdString();
        if (c.ok) {
            EXPECT_EQ(value, c.value);
            EXPECT_EQ(port.writes.size(), 1u);
        } else {
            EXPECT_EQ(value, 0xEEEE) << "a rejected reply must not become a value";
            EXPECT_EQ(port.writes.size(), 4u);
        }
    }
}

TEST(DoubleWordReply, LowByteFirstAndSumChecked) {
    ScriptedPort port;
    port.replies.push_back(bytes({0x16, 0x78, 0x56, 0x34, 0x12, 0x00}));
    port.replies.back()[5] = static_cast<char>(frame::NativeChecksum(
        reinterpret_cast<const uint8_t*>(port.replies.back().constData()), 5));
    TCommunicationProtocol p;
    uint32_t value = 0;
    ASSERT_TRUE(p.ReadDWord(port, 1, 0x10, value));
    EXPECT_EQ(value, 0x12345678u);
}

TEST(ModbusReply, OnlyTheCrcIsExamined) {
    // Wrong slave address and function code, correct CRC over bytes 0-4: accepted.
    QByteArray reply = bytes({0x09, 0x04, 0x02, 0x12, 0x34, 0, 0});
    const uint16_t crc = frame::Crc16Modbus(reinterpret_cast<const uint8_t*>(reply.constData()), 5);
    reply[5] = static_cast<char>(crc & 0xFF);
    reply[6] = static_cast<char>(crc >> 8);
    ScriptedPort port;
    port.replies.push_back(reply);
    TCommunicationProtocol p;
    uint16_t value = 0;
    ASSERT_TRUE(p.ModbusReadWord(port, 1, 1, value));
    EXPECT_EQ(value, 0x1234);
    EXPECT_EQ(port.writes.at(0), bytes({0x01, 0x03, 0x00, 0x01, 0x00, 0x01, 0xD5, 0xCA}));

    // The CRC bytes swapped: rejected, four attempts, each counted.
    std::swap(reply[5], reply[6]);
    ScriptedPort bad;
    for (int i = 0; i < 4; ++i) {
        bad.replies.push_back(reply);
    }
    p.ErrorCount = 2;
    EXPECT_FALSE(p.ModbusReadWord(bad, 1, 1, value));
    EXPECT_EQ(p.ErrorCount, 6);
    EXPECT_EQ(bad.writes.size(), 4u);
}

TEST(ModbusReply, ClearsBothBuffersFirst) {
    ScriptedPort port;
    TCommunicationProtocol p;
    p.TxBuffer.fill(0x55);
    p.RxBuffer.fill(0x55);
    uint16_t value = 0;
    EXPECT_FALSE(p.ModbusReadWord(port, 1, 1, value));
    EXPECT_EQ(p.TxBuffer[8], 0);
    EXPECT_EQ(p.RxBuffer[0], 0);
    EXPECT_EQ(p.RxBuffer[120], 0);
}

TEST(PortFailure, PurgeFailingStopsEveryTransactionButTheTextRead) {
    {
        ScriptedPort port;
        port.failingPurge = 0;
        TCommunicationProtocol p;
        p.ErrorCount = 1;
        uint16_t v = 0;
        EXPECT_FALSE(p.ReadWord(port, 1, 1, v));
        EXPECT_EQ(p.ErrorCount, 4);
        EXPECT_TRUE(port.writes.empty());
    }
    {
        ScriptedPort port;
        port.failingPurge = 0;
        TCommunicationProtocol p;
        p.ErrorCount = 1;
        QString text;
        EXPECT_FALSE(p.ReadInfoString(port, 1, 3, text));
        EXPECT_EQ(p.ErrorCount, 1) << "the text read returns false with ErrorCount unchanged";
        EXPECT_EQ(port.purges, 1);
    }
    {
        ScriptedPort port;
        port.failingPurge = 1;  // the second attempt's purge
        port.replies.push_back(bytes({0x1A, 0x9A, 0x78, 0x00}));
        port.replies.back()[3] = static_cast<char>(frame::NativeChecksum(
            reinterpret_cast<const uint8_t*>(port.replies.back().constData()), 3));
        TCommunicationProtocol p;
        uint16_t v = 0;
        EXPECT_FALSE(p.ReadEepromWord(port, 1, 0x20, v));
        EXPECT_EQ(v, 0x789A) << "the busy answer is handed out";
        EXPECT_EQ(p.ErrorCount, 4);
    }
}

TEST(PortFailure, ShortWrites) {
    {
        // The quad frame goes out as two 10-byte writes; a short second one ends it at once.
        ScriptedPort port;
        port.writeLimits = {10, 7};
        TCommunicationProtocol p;
        EXPECT_FALSE(p.WaveStartQuad(port, 1, {1, 2, 3, 4}, 800, 0x22));
        EXPECT_EQ(p.ErrorCount, 4);
        EXPECT_EQ(port.writes.size(), 2u);
        EXPECT_EQ(port.purges, 1);
    }
    {
        // The dual frame counts a short write and tries again, four times in all.
        ScriptedPort port;
        port.writeLimits = {13, 13, 13, 13};
        TCommunicationProtocol p;
        p.ErrorCount = 1;
        EXPECT_FALSE(p.WaveStartDual(port, 1, {1, 2, 3, 4}, 800, 0x21));
        EXPECT_EQ(p.ErrorCount, 5);
        EXPECT_EQ(port.writes.size(), 4u);
    }
    {
        ScriptedPort port;
        port.writeLimits = {13, 14};
        TCommunicationProtocol p;
        EXPECT_TRUE(p.WaveStartDual(port, 1, {1, 2, 3, 4}, 800, 0x21));
        EXPECT_EQ(p.ErrorCount, 0);
        EXPECT_EQ(port.reads, 0) << "no reply is read after a wave-start frame";
    }
    {
        ScriptedPort port;
        port.writeLimits = {5};
        TCommunicationProtocol p;
        EXPECT_FALSE(p.WriteWord(port, 1, 1, 2));
        EXPECT_EQ(p.ErrorCount, 4);
        EXPECT_EQ(port.reads, 0);
    }
}

TEST(ShortReply, EepromWordReadTriesAgainOtherReadsStop) {
    const QByteArray half = bytes({0x1A, 0x34});
    {
        ScriptedPort port;
        port.replies = {half, half};
        TCommunicationProtocol p;
        p.ErrorCount = 2;
        uint16_t v = 0;
        EXPECT_FALSE(p.ReadEepromWord(port, 1, 0x20, v));
        EXPECT_EQ(port.writes.size(), 2u);
        EXPECT_EQ(p.ErrorCount, 2);
    }
    {
        ScriptedPort port;
        port.replies = {half, half};
        TCommunicationProtocol p;
        p.ErrorCount = 2;
        uint16_t v = 0;
        EXPECT_FALSE(p.ReadEepromByte(port, 1, 0x20, v));
        EXPECT_EQ(port.writes.size(), 1u);
        EXPECT_EQ(p.ErrorCount, 4);
    }
}

// One transaction run on a scripted port, whatever its outputs.
using Transaction = std::function<bool(TCommunicationProtocol&, ScriptedPort&)>;

bool runReadWord(TCommunicationProtocol& p, ScriptedPort& port) {
    uint16_t v = 0;
    return p.ReadWord(port, 1, 1, v);
}
bool runWriteWord(TCommunicationProtocol& p, ScriptedPort& port) {
    return p.WriteWord(port, 1, 1, 2);
}
bool runReadDWord(TCommunicationProtocol& p, ScriptedPort& port) {
    uint32_t v = 0;
    return p.ReadDWord(port, 1, 1, v);
}
bool runWriteDWord(TCommunicationProtocol& p, ScriptedPort& port) {
    return p.WriteDWord(port, 1, 1, 2);
}
bool runReadEepromWord(TCommunicationProtocol& p, ScriptedPort& port) {
    uint16_t v = 0;
    return p.ReadEepromWord(port, 1, 0x20, v);
}
bool runWriteEepromWord(TCommunicationProtocol& p, ScriptedPort& port) {
    return p.WriteEepromWord(port, 1, 0x20, 2);
}
bool runReadEepromByte(TCommunicationProtocol& p, ScriptedPort& port) {
    uint16_t v = 0;
    return p.ReadEepromByte(port, 1, 0x20, v);
}
bool runReadInfoString(TCommunicationProtocol& p, ScriptedPort& port) {
    QString text;
    return p.ReadInfoString(port, 1, 5, text);
}
bool runSendControlCode(TCommunicationProtocol& p, ScriptedPort& port) {
    return p.SendControlCode(port, 1, 0x50);
}
bool runWaveStartDual(TCommunicationProtocol& p, ScriptedPort& port) {
    return p.WaveStartDual(port, 1, {1, 2, 3, 4}, 800, 0x21);
}
bool runWaveStartQuad(TCommunicationProtocol& p, ScriptedPort& port) {
    return p.WaveStartQuad(port, 1, {1, 2, 3, 4}, 800, 0x22);
}
bool runModbusReadWord(TCommunicationProtocol& p, ScriptedPort& port) {
    uint16_t v = 0;
    return p.ModbusReadWord(port, 1, 1, v);
}

// The port failing in the first attempt: buffers not cleared, or a write not taken in full.
TEST(PortFailure, EveryTransactionByItsRule) {
    constexpr int kStart = 1;
    constexpr int kUnchanged = -1;
    struct Case {
        const char* name;
        Transaction run;
        int failingPurge;
        std::vector<int> writeLimits;
        int writeCalls;
        int errorCount;  // kUnchanged: as before the transaction
    };
    const Case cases[] = {
        {"ReadWord purge", runReadWord, 0, {}, 0, 4},
        {"ReadWord write", runReadWord, -1, {7}, 1, 4},
        {"WriteWord purge", runWriteWord, 0, {}, 0, 4},
        {"WriteWord write", runWriteWord, -1, {9}, 1, 4},
        {"ReadDWord purge", runReadDWord, 0, {}, 0, 4},
        {"ReadDWord write", runReadDWord, -1, {0}, 1, 4},
        {"WriteDWord purge", runWriteDWord, 0, {}, 0, 4},
        {"WriteDWord write", runWriteDWord, -1, {11}, 1, 4},
        {"ReadEepromWord purge", runReadEepromWord, 0, {}, 0, 4},
        {"ReadEepromWord write", runReadEepromWord, -1, {7}, 1, 4},
        {"WriteEepromWord purge", runWriteEepromWord, 0, {}, 0, 4},
        {"WriteEepromWord write", runWriteEepromWord, -1, {9}, 1, 4},
        {"ReadEepromByte purge", runReadEepromByte, 0, {}, 0, 4},
        {"ReadEepromByte write", runReadEepromByte, -1, {7}, 1, 4},
        {"SendControlCode purge", runSendControlCode, 0, {}, 0, 4},
        {"SendControlCode write", runSendControlCode, -1, {6}, 1, 4},
        {"ReadInfoString purge", runReadInfoString, 0, {}, 0, kUnchanged},
        {"ReadInfoString write", runReadInfoString, -1, {5}, 1, kUnchanged},
        {"WaveStartDual purge", runWaveStartDual, 0, {}, 0, 4},
        {"WaveStartDual write", runWaveStartDual, -1, {13, 13, 13, 13}, 4, kStart + 4},
        {"WaveStartQuad purge", runWaveStartQuad, 0, {}, 0, 4},
        {"WaveStartQuad first write", runWaveStartQuad, -1, {9}, 1, 4},
        {"ModbusReadWord purge", runModbusReadWord, 0, {}, 0, 4},
        {"ModbusReadWord write", runModbusReadWord, -1, {7}, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPort port;
        port.failingPurge = c.failingPurge;
        port.writeLimits = c.writeLimits;
        TCommunicationProtocol p;
        p.ErrorCount = kStart;
        EXPECT_FALSE(c.run(p, port));
        EXPECT_EQ(static_cast<int>(port.writes.size()), c.writeCalls);
        EXPECT_EQ(port.reads, 0) << "no reply is awaited after a port failure";
        EXPECT_EQ(p.ErrorCount, c.errorCount == kUnchanged ? kStart : c.errorCount);
    }
}

// Every attempt after the first waits 15 ms before it clears the buffers and writes. Only
// lower bounds are checked: a sleep never ends early, while an upper bound would depend on
// the load of the machine.
TEST(RetryPause, FifteenMillisecondsBeforeEveryFurtherAttempt) {
    const QByteArray corruptWord = bytes({0x10, 0x34, 0x12, 0xAB});
    struct Case {
        const char* name;
        Transaction run;
        std::vector<QByteArray> replies;  // one per read; none: silence
        std::vector<int> writeLimits;
        int attempts;
    };
    const Case cases[] = {
        {"ReadWord corrupt",
         runReadWord,
         {corruptWord, corruptWord, corruptWord, corruptWord},
         {},
         4},
        {"ReadEepromWord silent", runReadEepromWord, {}, {}, 2},
        {"ReadInfoString 0x31",
         runReadInfoString,
         {bytes({0x31}), bytes({0x31}), bytes({0x31}), bytes({0x31})},
         {},
         4},
        {"SendControlCode wrong echo",
         runSendControlCode,
         {bytes({0x51}), bytes({0x51}), bytes({0x51}), bytes({0x51})},
         {},
         4},
        {"WaveStartDual short writes", runWaveStartDual, {}, {0, 0, 0, 0}, 4},
        {"ModbusReadWord silent", runModbusReadWord, {}, {}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPort port;
        port.replies.assign(c.replies.begin(), c.replies.end());
        port.writeLimits = c.writeLimits;
        TCommunicationProtocol p;
        EXPECT_FALSE(c.run(p, port));
        ASSERT_EQ(static_cast<int>(port.writeTimes.size()), c.attempts);
        for (size_t i = 1; i < port.writeTimes.size(); ++i) {
            EXPECT_GE(port.writeTimes[i] - port.writeTimes[i - 1], std::chrono::milliseconds(15))
                << "before attempt " << i;
        }
    }
}

}  // namespace
}  // namespace tevra
