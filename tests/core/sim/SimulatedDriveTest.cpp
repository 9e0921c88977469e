// The simulated drive's own behaviour: the demo model it takes from a program folder, its
// text commands, computed signals and paced streams.

#include <gtest/gtest.h>

#include <QDir>

#include "DemoSignals.h"
#include "DriveModel.h"
#include "SimCommands.h"
#include "SimDriveFixture.h"
#include "SimulatedDrive.h"
#include "TestSupport.h"
#include "link/CommunicationProtocol.h"

namespace tevra::sim {
namespace {

TEST(DriveModel, DemoDescriptionFillsRamAndAllThreeImages) {
    const ProgramFolders folders(test::programDir(), QDir::tempPath());
    QString error;
    const auto model = loadDriveModel(folders, QStringLiteral("TVD-A08"), &error);
    ASSERT_TRUE(model) << error.toStdString();
    EXPECT_TRUE(model->warnings.isEmpty()) << model->warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(model->name, QStringLiteral("TVD-A08"));
    EXPECT_EQ(model->parameters.size(), 315);
    EXPECT_EQ(model->registers.value(QStringLiteral("ulErrStu1")), 0x6FC4);
    EXPECT_EQ(model->alarmRegisters.ErrStuReg3, 0x6FC8);
    EXPECT_EQ(model->encoderParameters.value(0x190), 2);

    SimulatedDrive drive;
    applyDriveModel(drive, *model);
    for (const ParameterDefault& p : model->parameters) {
        const uint32_t ram = p.wide ? drive.ram32(p.number) : drive.ram(p.number);
        const uint32_t expected = p.wide ? p.value : (p.value & 0xFFFF);
        ASSERT_EQ(ram, expected) << "Pr" << std::hex << p.number;
        for (int image = 0; image < 3; ++image) {
            ASSERT_EQ(drive.parameterImage(image, p.number, p.wide), expected)
                << "Pr" << std::hex << p.number << " image " << image;
        }
    }
    EXPECT_EQ(drive.ram(0x07), 450) << "TVD-A08 rated current";
    EXPECT_EQ(drive.infoString(3), QStringLiteral("TVD-A08"));
    EXPECT_EQ(drive.eepromWord(0x522), 0x2046);
    EXPECT_EQ(drive.encoderWorking().value(SimulatedDrive::kEncoderVersionPr), 0x0203);
    EXPECT_TRUE(drive.setAlarm(66, true));
    EXPECT_EQ(drive.ram32(0x6FC8), 2u);
}

TEST(DemoSignals, RegistersCarryTheDocumentedSignals) {
    SimulatedDrive drive;
    bindDemoSignals(drive, {});
    const auto regs = demoRegisterAddresses();
    auto word = [&](const char* name, uint64_t n) {
        return drive.sampleWord(regs.value(QLatin1String(name)), n);
    };
    auto dword = [&](const char* name, uint64_t n) {
        const uint16_t a = regs.value(QLatin1String(name));
        return drive.sampleWord(a, n) | (static_cast<uint32_t>(drive.sampleWord(a + 1, n)) << 16);
    };
    struct Case {
        const char* name;
        uint64_t n;
        uint32_t raw;
    };
    const Case cases[] = {
        {"uTestRamp", 1234, 1234},  // one step per sample, 0 .. 65535
        {"iTestSquare", 0, 1000},
        {"iTestSquare", 50, static_cast<uint16_t>(-1000)},
        {"uInputStus", 0, 3},
        {"uInputStus", 500, 1},
        {"iMotoSpRpm", 250, 3000},  // cruising after an eighth of the period
        {"iMotoSpRpm", 1250, static_cast<uint16_t>(-3000)},
        {"iEncMulti", 7, 12},
        {"uOutputStus", 7, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(word(c.name, c.n), c.raw) << c.name << " at " << c.n;
    }
    EXPECT_EQ(dword("fElecAngle", 3), 0x42B40000u);
    EXPECT_EQ(dword("ulRunTime", 3), 360000u);
    for (uint64_t n = 0; n < 4000; n += 37) {
        ASSERT_EQ(word("iMotorRefSp", n), word("iMotoSpRpm", n + 5)) << "the reference leads by 5";
        ASSERT_LT(dword("ulEncSingle", n), 8388608u);
        const int32_t err = static_cast<int32_t>(dword("lPosErr", n));
        ASSERT_LE(std::abs(err), 1200);
    }

    // The status words follow the alarms and Pr02.
    const uint16_t status = regs.value(QStringLiteral("uDrvOutStus"));
    EXPECT_EQ(drive.ram(status), 0x0801);
    drive.setAlarm(12, true);
    EXPECT_EQ(drive.ram(status), 0x0803);
    EXPECT_EQ(drive.ram(regs.value(QStringLiteral("uErrCode"))), 12);
    EXPECT_EQ(drive.ram(regs.value(QStringLiteral("uRunStus"))), 3);
    drive.setRam(0x02, 6);
    EXPECT_EQ(drive.ram(regs.value(QStringLiteral("uCtrlMode"))), 6);
}

TEST(SimCommands, SetFaultsAlarmsAndMemory) {
    SimulatedDrive drive;
    SimCommands c(drive);
    struct Case {
        const char* line;
        const char* reply;
    };
    const Case cases[] = {
        {"silence 3 1A", "silence 3 for 1A"},
        {"corrupt on modbus", "corrupt on for modbus"},
        {"busy on", "busy on for all"},
        {"truncate 2 5 10", "truncate 2 for 10"},
        {"delay 30", "delay 30 for all"},
        {"stop-after 7", "stop-after 7"},
        {"alarm 33 on", "alarm 33 on"},
        {"ram 300 -2", "ram 0300 = 65534 (0xFFFE)"},
        {"ram32 310 0x12345678", "ram32 0310 = 305419896 (0x12345678)"},
        {"eeprom 63F 0x1234", "eeprom 063F = 4660 (0x1234)"},
        {"info 5 V9.99 beta", "info 5 = V9.99 beta"},
        {"station 10", "station 10"},
        {"signal 200 sine 100 50", "signal 0200 sine"},
        {"corrupt sometimes", "error: corrupt takes on, off or a count"},
        {"alarm 97 on", "error: no status register for alarm 97"},
        {"ram 10000 1", "error: ram ADDR [VALUE], ADDR in hex"},
        {"fly", "error: unknown command \"fly\" (try help)"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(c.execute(QString::fromUtf8(k.line)), QString::fromUtf8(k.reply)) << k.line;
    }
    const auto rules = drive.faults();
    ASSERT_EQ(rules.size(), 5u);
    EXPECT_EQ(rules[0].kind, FaultKind::NoReply);
    EXPECT_EQ(rules[0].command, 0x1A);
    EXPECT_EQ(rules[0].remaining, 3);
    EXPECT_EQ(rules[1].command, kModbusRead);
    EXPECT_EQ(rules[3].param, 2);
    EXPECT_EQ(rules[3].remaining, 5);
    EXPECT_EQ(drive.requestsLeft(), 7);
    EXPECT_EQ(drive.ram32(0x6FC6), 1u);
    EXPECT_EQ(drive.eepromByte(0x63F), 0x34);
    EXPECT_EQ(drive.station(), 10);
    EXPECT_TRUE(drive.signalBindings().find(0x200));

    EXPECT_EQ(c.execute(QStringLiteral("silence off")), QStringLiteral("silence off"));
    EXPECT_EQ(drive.faults().size(), 4u);
    c.execute(QStringLiteral("clear-faults"));
    EXPECT_TRUE(drive.faults().empty());
    EXPECT_EQ(drive.requestsLeft(), -1);
    EXPECT_FALSE(c.quitRequested());
    c.execute(QStringLiteral("quit"));
    EXPECT_TRUE(c.quitRequested());
}

// The drive's replies byte for byte, read raw from the line: each has exactly the length
// and layout of its frame type and nothing follows it.
TEST(DriveReplies, ExactFramesOnTheLine) {
    auto withChecksum = [](QByteArray b) {
        b.append(static_cast<char>(frame::NativeChecksum(
            reinterpret_cast<const uint8_t*>(b.constData()), static_cast<int>(b.size()))));
        return b;
    };
    auto withCrc = [](QByteArray b) {
        const uint16_t crc = frame::Crc16Modbus(reinterpret_cast<const uint8_t*>(b.constData()),
                                                static_cast<int>(b.size()));
        b.append(static_cast<char>(crc & 0xFF));
        b.append(static_cast<char>(crc >> 8));
        return b;
    };
    auto hex = [](const char* text) { return QByteArray::fromHex(QByteArray(text)); };

    test::SimDriveOptions options;
    // Short totals: the requests that get no answer end quickly.
    options.timeouts.readTotalMultiplier = 2;
    test::SimDrive sim(options);
    SimulatedDrive& drive = sim.drive();
    drive.setRam(0x300, 0xA55A);
    drive.setRam(0x301, 0x1234);
    drive.setEepromWord(0x40, 0xBEEF);
    drive.setInfoString(5, QStringLiteral("V2.01"));
    drive.setInfoString(6, QString());

    struct Case {
        const char* name;
        QByteArray request;
        int replyLength;  // bytes the drive sends; 0: none
        // The whole reply; for word and double-word replies its bytes 1 onward (byte 0 is
        // the drive's own), for text replies the text (bytes 2 to n-2 after 0x30).
        QByteArray expected;
    };
    const Case cases[] = {
        {"ReadWord", withChecksum(hex("AA080110000300")), 4, withChecksum(hex("105AA5")).mid(1)},
        {"WriteWord", withChecksum(hex("AA0A01110203007856")), 4,
         withChecksum(hex("117856")).mid(1)},
        {"ReadDWord", withChecksum(hex("AA080116000300")), 6,
         withChecksum(hex("165AA53412")).mid(1)},
        {"WriteDWord", withChecksum(hex("AA0C011710030001020304")), 1, QByteArray("M")},
        {"ReadEepromWord", withChecksum(hex("AA08011A400000")), 4,
         withChecksum(hex("1AEFBE")).mid(1)},
        {"ReadEepromByte", withChecksum(hex("AA08011E410000")), 4,
         withChecksum(hex("1EBE00")).mid(1)},
        {"WriteEepromWord", withChecksum(hex("AA0A011B5000003412")), 4,
         withChecksum(hex("1B3412")).mid(1)},
        {"ReadInfoString", withChecksum(hex("AA06013005")), 8, QByteArray("V2.01")},
        {"ReadInfoString empty", withChecksum(hex("AA06013006")), 3, QByteArray()},
        {"SendControlCode", withChecksum(hex("AA070152AA55")), 1, hex("52")},
        {"unknown control code", withChecksum(hex("AA070153AA55")), 0, QByteArray()},
        {"other station", withChecksum(hex("AA080210000300")), 0, QByteArray()},
        {"ModbusRead", withCrc(hex("010303000001")), 7, withCrc(hex("010302A55A"))},
    };
    SerialPort& port = sim.link().port();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(port.purge());
        ASSERT_EQ(port.write(reinterpret_cast<const uint8_t*>(c.request.constData()),
                             static_cast<int>(c.request.size())),
                  c.request.size());
        uint8_t buf[120] = {};
        // The read ends at the quiet line after the reply (or at its total time-out).
        const int got = port.read(buf, 100);
        ASSERT_EQ(got, c.replyLength);
        const QByteArray reply(reinterpret_cast<const char*>(buf), got);
        if (c.request.at(3) == 0x30) {
            EXPECT_EQ(reply.at(0), 0x30);
            EXPECT_EQ(reply.mid(2, got - 3), c.expected);
        } else if (c.replyLength == 4 || c.replyLength == 6) {
            EXPECT_TRUE(frame::NativeSumIsZero(buf, got));
            EXPECT_EQ(reply.mid(1), c.expected);
        } else {
            EXPECT_EQ(reply, c.expected);
        }
    }
    EXPECT_EQ(drive.ram32(0x310), 0x04030201u);
    EXPECT_EQ(drive.eepromWord(0x50), 0x1234);
}

TEST(PacedStream, SamplesFollowTheLineAndStayReproducible) {
    test::SimDriveOptions options;
    options.drive.paceToBaud = true;
    test::SimDrive sim(options);
    sim.drive().bindSignal(0x100,
                           {.kind = SignalKind::Ramp, .amplitude = 30000, .periodSamples = 5000});
    ASSERT_TRUE(
        sim.link().protocol().WaveStartDual(sim.link().port(), 1, {0x100, 0x100, 0, 0}, 40, 0x21));
    uint8_t buf[160] = {};
    ASSERT_EQ(sim.link().port().read(buf, 160), 160);
    const auto records = sim.drive().waveRecords();
    ASSERT_EQ(records.size(), 1u);
    const WaveRecord& r = records[0];
    EXPECT_EQ(r.sampleStepNs, 4 * (10'000'000'000LL / 115200)) << "four bytes on the line";
    EXPECT_EQ(r.samplesSent, 40u);
    for (uint32_t i = 0; i < 40; ++i) {
        const uint16_t w = static_cast<uint16_t>(buf[4 * i] | (buf[4 * i + 1] << 8));
        ASSERT_EQ(w, sim.drive().recordWord(r, i, 0)) << i;
    }
}

}  // namespace
}  // namespace tevra::sim
