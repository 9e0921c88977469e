// The transactions against the simulated drive over a real pseudo-terminal: the bytes
// the drive receives, round trips, and the attempt and ErrorCount rules with faults.

#include <gtest/gtest.h>

#include <QByteArray>

#include <functional>
#include <thread>

#include "SimDriveFixture.h"

namespace tevra {
namespace {

using sim::FaultKind;
using sim::FaultRule;
using sim::kAnyCommand;
using sim::kForever;
using sim::kModbusRead;

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

class DriveTransactions : public test::SimDriveTest {
  protected:
    // Shorter totals than the defaults keep the silent text reads (100 bytes asked) quick.
    test::SimDriveOptions options() const override {
        test::SimDriveOptions o;
        o.timeouts = {.readInterval = 20,
                      .readTotalMultiplier = 2,
                      .readTotalConstant = 40,
                      .writeTotalMultiplier = 20,
                      .writeTotalConstant = 20};
        return o;
    }
    TCommunicationProtocol& protocol() { return link().protocol(); }
    SerialPort& port() { return link().port(); }
    QByteArray lastFrame() {
        const auto frames = drive().frames();
        return frames.empty() ? QByteArray() : frames.back().bytes;
    }
};

TEST_F(DriveTransactions, RequestsGoOutByteForByte) {
    uint16_t v = 0;
    ASSERT_TRUE(link().ReadWord(1, v));
    EXPECT_EQ(lastFrame(), hex("AA 08 01 10 01 00 00 3C"));

    ASSERT_TRUE(link().WriteWord(0x1234, 0x5678));
    EXPECT_EQ(lastFrame(), hex("AA 0A 01 11 34 12 00 78 56 26"));

    QString text;
    ASSERT_TRUE(link().ReadInfoString(5, text));
    EXPECT_EQ(lastFrame(), hex("AA 06 01 30 05 1A"));

    ASSERT_TRUE(link().SendControlCode(0x50));
    EXPECT_EQ(lastFrame(), hex("AA 07 01 50 AA 55 FF"));

    ASSERT_TRUE(protocol().ModbusReadWord(port(), 1, 1, v));
    EXPECT_EQ(lastFrame(), hex("01 03 00 01 00 01 D5 CA"));

    uint32_t d = 0;
    ASSERT_TRUE(link().ReadDWord(0x123456, d));
    EXPECT_EQ(lastFrame().left(7), hex("AA 08 01 16 56 34 12"));
    ASSERT_TRUE(link().WriteDWord(0x40, 0x89ABCDEF));
    EXPECT_EQ(lastFrame().left(11), hex("AA 0C 01 17 40 00 00 EF CD AB 89"));
    ASSERT_TRUE(link().WriteEepromWord(0x1402, 0xBEEF));
    EXPECT_EQ(lastFrame().left(9), hex("AA 0A 01 1B 02 14 00 EF BE"));
    ASSERT_TRUE(link().ReadEepromWord(0x520, v));
    EXPECT_EQ(lastFrame().left(7), hex("AA 08 01 1A 20 05 00"));
    ASSERT_TRUE(link().ReadEepromByte(0x501, v));
    EXPECT_EQ(lastFrame().left(7), hex("AA 08 01 1E 01 05 00"));
}

TEST_F(DriveTransactions, WaveStartFramesCarryAllTheirSlots) {
    // One slot in use: the 0x19 frame still carries the caller's stale second entry.
    ASSERT_TRUE(protocol().WaveStartDual(port(), 1, {0x1234, 0x0BAD, 7, 8}, 3, 0x20));
    ASSERT_TRUE(drive().waitForFrames(1));
    QByteArray f = lastFrame();
    EXPECT_EQ(f.left(13), hex("AA 0E 01 19 20 03 00 34 12 00 AD 0B 00"));
    EXPECT_EQ(f.size(), 14);

    ASSERT_TRUE(protocol().WaveStartQuad(port(), 1, {0x10, 0x11, 0x2233, 0xFFFF}, 800, 0x22));
    ASSERT_TRUE(drive().waitForFrames(2));
    f = lastFrame();
    EXPECT_EQ(f.left(19), hex("AA 14 01 18 22 20 03 10 00 00 11 00 00 33 22 00 FF FF 00"));
    EXPECT_EQ(f.size(), 20);
    const auto records = drive().waveRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].sampleCount, 800);
    EXPECT_EQ(records[1].wordsPerSample, 4);
}

TEST_F(DriveTransactions, RoundTrips) {
    ASSERT_TRUE(link().WriteWord(0x300, 0xA55A));
    uint16_t v = 0;
    ASSERT_TRUE(link().ReadWord(0x300, v));
    EXPECT_EQ(v, 0xA55A);
    EXPECT_EQ(drive().ram(0x300), 0xA55A);

    ASSERT_TRUE(link().WriteDWord(0x310, 0xFEDCBA98));
    uint32_t d = 0;
    ASSERT_TRUE(link().ReadDWord(0x310, d));
    EXPECT_EQ(d, 0xFEDCBA98u);
    EXPECT_EQ(drive().ram(0x310), 0xBA98);
    EXPECT_EQ(drive().ram(0x311), 0xFEDC);

    // EEPROM words are byte addressed, odd addresses included.
    ASSERT_TRUE(link().WriteEepromWord(0x63F, 0x1234));
    ASSERT_TRUE(link().ReadEepromWord(0x63F, v));
    EXPECT_EQ(v, 0x1234);
    ASSERT_TRUE(link().ReadEepromByte(0x640, v));
    EXPECT_EQ(v, 0x0012);

    drive().setInfoString(5, QStringLiteral("V3.14"));
    QString text;
    ASSERT_TRUE(link().ReadInfoString(5, text));
    EXPECT_EQ(text, QStringLiteral("V3.14"));
    drive().setInfoString(4, QStringLiteral("通用型"));
    ASSERT_TRUE(link().ReadInfoString(4, text));
    EXPECT_EQ(text, QStringLiteral("通用型"));

    drive().setRam(1, 0x0203);
    ASSERT_TRUE(protocol().ModbusReadWord(port(), 1, 1, v));
    EXPECT_EQ(v, 0x0203);
    EXPECT_TRUE(link().LinkProbe());
}

TEST_F(DriveTransactions, TextRepliesOfAnyLengthEndAtTheQuietLine) {
    struct Case {
        QByteArray reply;
        bool ok;
        QString text;
    };
    const Case cases[] = {
        {hex("30"), true, QString()},
        {hex("30 02"), true, QString()},
        {hex("30 03 9D"), true, QString()},
        {hex("30 04 41 00"), true, QStringLiteral("A")},  // the last byte is not checked
        {QByteArray("\x30\x08V2.01\x00", 8), true, QStringLiteral("V2.01")},
        {hex("31 04 41 00"), false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toHex(' ').toStdString());
        drive().clearLog();
        drive().setRawInfoReply(5, c.reply);
        protocol().ErrorCount = 3;
        QString text = QStringLiteral("old");
        EXPECT_EQ(link().ReadInfoString(5, text), c.ok);
        if (c.ok) {
            EXPECT_EQ(text, c.text);
            EXPECT_EQ(protocol().ErrorCount, 0);
            EXPECT_EQ(drive().requestCount(0x30), 1);
        } else {
            EXPECT_EQ(text, QStringLiteral("old"));
            EXPECT_EQ(drive().requestCount(0x30), 4);
            EXPECT_EQ(protocol().ErrorCount, 3) << "a wrong first byte leaves ErrorCount alone";
        }
    }
}

TEST_F(DriveTransactions, ControlCodesMoveEncoderParameters) {
    drive().setEncoderParameters({{0x1A0, 0x0103}, {0x1A1, 17}, {0x1A2, 500}});
    ASSERT_TRUE(link().WriteWord(0x1A1, 23));
    ASSERT_TRUE(link().WriteWord(0x1A0, 0x9999));  // the version is read-only in the encoder
    ASSERT_TRUE(link().SendControlCode(0x51));
    EXPECT_EQ(drive().encoderWorking().value(0x1A1), 23);
    EXPECT_EQ(drive().encoderWorking().value(0x1A0), 0x0103);
    EXPECT_EQ(drive().encoderStored().value(0x1A1), 17) << "kept only after 0x52";
    ASSERT_TRUE(link().SendControlCode(0x52));
    EXPECT_EQ(drive().encoderStored().value(0x1A1), 23);

    ASSERT_TRUE(link().WriteWord(0x1A2, 1));
    ASSERT_TRUE(link().SendControlCode(0x50));
    EXPECT_EQ(drive().ram(0x1A2), 500);
    EXPECT_EQ(drive().ram(0x1A0), 0x0103);

    EXPECT_FALSE(link().SendControlCode(0x53)) << "an unknown code is not echoed";
    EXPECT_EQ(protocol().ErrorCount, 4);
}

// One row: a transaction, the fault the drive shows, and how it must end.
struct AttemptCase {
    const char* name;
    std::function<bool(DriveLink&)> run;
    int command;
    FaultKind fault;
    int faultCount;  // replies affected (kForever: all)
    int faultParam;
    bool result;
    int attempts;    // requests the drive received
    int errorCount;  // -1: unchanged from the start value
};

constexpr int kStartErrorCount = 7;
constexpr int kUnchanged = -1;

bool readWord(DriveLink& l) {
    uint16_t v = 0;
    return l.ReadWord(1, v);
}
bool writeWord(DriveLink& l) {
    return l.WriteWord(0x200, 5);
}
bool readDWord(DriveLink& l) {
    uint32_t v = 0;
    return l.ReadDWord(0x200, v);
}
bool writeDWord(DriveLink& l) {
    return l.WriteDWord(0x200, 5);
}
bool readEepromWord(DriveLink& l) {
    uint16_t v = 0;
    return l.ReadEepromWord(0x20, v);
}
bool writeEepromWord(DriveLink& l) {
    return l.WriteEepromWord(0x20, 5);
}
bool readEepromByte(DriveLink& l) {
    uint16_t v = 0;
    return l.ReadEepromByte(0x20, v);
}
bool readInfo(DriveLink& l) {
    QString t;
    return l.ReadInfoString(5, t);
}
bool control(DriveLink& l) {
    return l.SendControlCode(0x52);
}
bool modbusRead(DriveLink& l) {
    uint16_t v = 0;
    return l.protocol().ModbusReadWord(l.port(), l.station(), 1, v);
}

const AttemptCase kAttemptCases[] = {
    {"ReadWord corrupt", readWord, 0x10, FaultKind::CorruptReply, kForever, 0, false, 4,
     kStartErrorCount + 4},
    {"ReadWord silent", readWord, 0x10, FaultKind::NoReply, kForever, 0, false, 1, 4},
    {"ReadWord short", readWord, 0x10, FaultKind::TruncateReply, kForever, 3, false, 1, 4},
    {"ReadWord corrupt once", readWord, 0x10, FaultKind::CorruptReply, 1, 0, true, 2, 0},
    {"WriteWord corrupt", writeWord, 0x11, FaultKind::CorruptReply, kForever, 0, false, 4,
     kStartErrorCount + 4},
    {"WriteWord silent", writeWord, 0x11, FaultKind::NoReply, kForever, 0, false, 1, 4},
    {"ReadDWord corrupt twice", readDWord, 0x16, FaultKind::CorruptReply, 2, 0, true, 3, 0},
    {"ReadDWord short", readDWord, 0x16, FaultKind::TruncateReply, kForever, 5, false, 1, 4},
    {"WriteDWord wrong ack", writeDWord, 0x17, FaultKind::CorruptReply, kForever, 0, false, 4,
     kStartErrorCount + 4},
    {"WriteDWord silent", writeDWord, 0x17, FaultKind::NoReply, kForever, 0, false, 1, 4},
    {"ReadEepromWord silent", readEepromWord, 0x1A, FaultKind::NoReply, kForever, 0, false, 2,
     kUnchanged},
    {"ReadEepromWord busy", readEepromWord, 0x1A, FaultKind::BusyReply, kForever, 0, false, 2,
     kUnchanged},
    {"ReadEepromWord corrupt", readEepromWord, 0x1A, FaultKind::CorruptReply, kForever, 0, false, 2,
     kStartErrorCount + 2},
    {"WriteEepromWord busy twice", writeEepromWord, 0x1B, FaultKind::BusyReply, 2, 0, false, 2,
     kUnchanged},
    {"WriteEepromWord busy once", writeEepromWord, 0x1B, FaultKind::BusyReply, 1, 0, true, 2, 0},
    {"WriteEepromWord silent", writeEepromWord, 0x1B, FaultKind::NoReply, kForever, 0, false, 1, 4},
    {"ReadEepromByte busy", readEepromByte, 0x1E, FaultKind::BusyReply, kForever, 0, false, 2,
     kUnchanged},
    {"ReadEepromByte silent", readEepromByte, 0x1E, FaultKind::NoReply, kForever, 0, false, 1, 4},
    {"ReadInfoString 0x31", readInfo, 0x30, FaultKind::CorruptReply, kForever, 0, false, 4,
     kUnchanged},
    {"ReadInfoString silent", readInfo, 0x30, FaultKind::NoReply, kForever, 0, false, 4,
     kUnchanged},
    {"ReadInfoString silent once", readInfo, 0x30, FaultKind::NoReply, 1, 0, true, 2, 0},
    {"SendControlCode wrong echo", control, 0x52, FaultKind::CorruptReply, kForever, 0, false, 4,
     kStartErrorCount + 4},
    {"SendControlCode silent", control, 0x52, FaultKind::NoReply, kForever, 0, false, 1, 4},
    {"ModbusReadWord bad CRC", modbusRead, kModbusRead, FaultKind::CorruptReply, kForever, 0, false,
     4, kStartErrorCount + 4},
    {"ModbusReadWord silent", modbusRead, kModbusRead, FaultKind::NoReply, kForever, 0, false, 4,
     kStartErrorCount + 4},
    {"ModbusReadWord short once", modbusRead, kModbusRead, FaultKind::TruncateReply, 1, 6, true, 2,
     0},
};

TEST_F(DriveTransactions, AttemptsAndErrorCount) {
    for (const AttemptCase& c : kAttemptCases) {
        SCOPED_TRACE(c.name);
        drive().clearFaults();
        drive().clearLog();
        drive().addFault(FaultRule{c.fault, c.command, c.faultCount, c.faultParam});
        protocol().ErrorCount = kStartErrorCount;
        EXPECT_EQ(c.run(link()), c.result);
        EXPECT_EQ(drive().requestCount(c.command), c.attempts);
        EXPECT_EQ(protocol().ErrorCount,
                  c.errorCount == kUnchanged ? kStartErrorCount : c.errorCount);
    }
}

TEST_F(DriveTransactions, BusyAnswerIsHandedOutButNeverTakenAsAResult) {
    drive().setEepromByte(0x40, 0x5C);
    drive().addFault({FaultKind::BusyReply, 0x1E, 1, 0});
    uint16_t v = 0;
    ASSERT_TRUE(link().ReadEepromByte(0x40, v));
    EXPECT_EQ(v, 0x005C) << "the value of the second reply";
    EXPECT_EQ(drive().requestCount(0x1E), 2);

    drive().addFault({FaultKind::BusyReply, 0x1A, kForever, 0});
    v = 0;
    EXPECT_FALSE(link().ReadEepromWord(0x40, v));
    EXPECT_EQ(v, 0x789A);

    drive().clearFaults();
    drive().addFault({FaultKind::BusyReply, 0x1B, kForever, 0});
    drive().setEepromWord(0x60, 0x1111);
    EXPECT_FALSE(link().WriteEepromWord(0x60, 0x2222));
    EXPECT_EQ(drive().eepromWord(0x60), 0x1111) << "a busy drive did not write";
}

TEST_F(DriveTransactions, CorruptRepliesNeverBecomeValues) {
    drive().setRam(0x20, 0x4242);
    drive().addFault({FaultKind::CorruptReply, kAnyCommand, kForever, 0});
    uint16_t v = 0x1111;
    uint32_t d = 0x22222222;
    QString text = QStringLiteral("old");
    EXPECT_FALSE(link().ReadWord(0x20, v));
    EXPECT_FALSE(link().ReadDWord(0x20, d));
    EXPECT_FALSE(link().ReadInfoString(3, text));
    EXPECT_FALSE(link().protocol().ModbusReadWord(link().port(), 1, 0x20, v));
    EXPECT_EQ(v, 0x1111);
    EXPECT_EQ(d, 0x22222222u);
    EXPECT_EQ(text, QStringLiteral("old"));
}

TEST_F(DriveTransactions, LinkProbeAlwaysSendsBothExchanges) {
    struct Case {
        int silentCommand;
        bool result;
        int modbusAttempts;
        int nativeAttempts;
    };
    const Case cases[] = {
        {-2, true, 1, 1},
        {kModbusRead, false, 4, 1},  // Modbus fails; the native read is still made
        {0x10, false, 1, 1},
    };
    for (const Case& c : cases) {
        drive().clearFaults();
        drive().clearLog();
        if (c.silentCommand != -2) {
            drive().addFault({FaultKind::NoReply, c.silentCommand, kForever, 0});
        }
        EXPECT_EQ(link().LinkProbe(), c.result);
        EXPECT_EQ(drive().requestCount(kModbusRead), c.modbusAttempts);
        EXPECT_EQ(drive().requestCount(0x10), c.nativeAttempts);
        const auto frames = drive().frames();
        ASSERT_FALSE(frames.empty());
        EXPECT_TRUE(frames.front().modbus) << "Modbus first";
        EXPECT_EQ(frames.back().bytes, hex("AA 08 01 10 01 00 00 3C"));
    }
}

TEST_F(DriveTransactions, StopAfterRequests) {
    drive().setStopAfterRequests(2);
    uint16_t v = 0;
    EXPECT_TRUE(link().ReadWord(1, v));
    EXPECT_TRUE(link().ReadWord(1, v));
    EXPECT_FALSE(link().ReadWord(1, v));
    EXPECT_EQ(link().protocol().ErrorCount, 4);
    EXPECT_EQ(drive().requestCount(0x10), 3);
}

TEST_F(DriveTransactions, OnlyItsOwnStationAnswers) {
    link().setStation(2);
    uint16_t v = 0;
    EXPECT_FALSE(link().ReadWord(1, v));
    EXPECT_EQ(link().protocol().ErrorCount, 4);
    const auto frames = drive().frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FALSE(frames[0].forThisStation);
    EXPECT_EQ(drive().totalRequests(), 0);
    link().setStation(1);
    EXPECT_TRUE(link().ReadWord(1, v));
}

TEST_F(DriveTransactions, NoAnswerWhileTheLineIsAtAnotherBaudRate) {
    ASSERT_TRUE(link().port().setBaudRate(9600));
    uint16_t v = 0;
    EXPECT_FALSE(link().LinkProbe());
    EXPECT_EQ(drive().totalRequests(), 0);
    EXPECT_GT(drive().ignoredBytes(), 0);
    ASSERT_TRUE(link().port().setBaudRate(115200));
    EXPECT_TRUE(link().ReadWord(1, v));

    // A drive at a rate outside the classic table is reached at exactly that rate.
    drive().setBaud(56000);
    EXPECT_FALSE(link().ReadWord(1, v));
    ASSERT_TRUE(link().port().setBaudRate(56000));
    EXPECT_TRUE(link().ReadWord(1, v));
}

TEST_F(DriveTransactions, TransactionsFromTwoThreadsNeverInterleave) {
    drive().setRam(0x500, 0x1111);
    drive().setRam(0x600, 0x2222);
    auto worker = [&](uint32_t address, uint16_t expected, int& failures) {
        for (int i = 0; i < 100; ++i) {
            uint16_t v = 0;
            if (!link().ReadWord(address, v) || v != expected) {
                ++failures;
            }
        }
    };
    int f1 = 0;
    int f2 = 0;
    std::thread t1(worker, 0x500, 0x1111, std::ref(f1));
    std::thread t2(worker, 0x600, 0x2222, std::ref(f2));
    t1.join();
    t2.join();
    EXPECT_EQ(f1, 0);
    EXPECT_EQ(f2, 0);
    EXPECT_EQ(drive().requestCount(0x10), 200);
}

TEST_F(DriveTransactions, ReadWordReportedNamesTheAddress) {
    struct Reporter : ReadFailureReporter {
        QStringList texts;
        QStringList captions;
        void reportReadFailure(const QString& text, const QString& caption) override {
            texts << text;
            captions << caption;
        }
    } reporter;
    uint16_t v = 0;
    EXPECT_TRUE(link().ReadWordReported(0x05, v, reporter));
    EXPECT_TRUE(reporter.texts.isEmpty());
    drive().addFault({FaultKind::NoReply, kAnyCommand, kForever, 0});
    EXPECT_FALSE(link().ReadWordReported(0x05, v, reporter));
    EXPECT_FALSE(link().ReadWordReported(0x1A0, v, reporter));
    EXPECT_EQ(reporter.texts, QStringList({QStringLiteral("读取参数失败，参数号: 05"),
                                           QStringLiteral("读取参数失败，参数号: 1A0")}));
    EXPECT_EQ(reporter.captions, QStringList({QStringLiteral("错误"), QStringLiteral("错误")}));
}

}  // namespace
}  // namespace tevra
