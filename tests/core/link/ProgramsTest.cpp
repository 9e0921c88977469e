// tevra-drive-sim and tevra-cli as programs, talking over a pseudo-terminal.

#include <gtest/gtest.h>

#include <QProcess>

#include "TestSupport.h"
#include "link/CommunicationProtocol.h"

namespace tevra {
namespace {

// A native request frame with its checksum, as hexadecimal text "AA 08 ...".
QString nativeFrame(std::initializer_list<int> bytes) {
    QByteArray b;
    for (int v : bytes) {
        b.append(static_cast<char>(v));
    }
    b.append(static_cast<char>(frame::NativeChecksum(
        reinterpret_cast<const uint8_t*>(b.constData()), static_cast<int>(b.size()))));
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

class Programs : public ::testing::Test {
  protected:
    void SetUp() override {
        link_ = scratch_.file(QStringLiteral("drive"));
        sim_.setProgram(test::programDir() + QStringLiteral("/tevra-drive-sim"));
        sim_.setArguments({QStringLiteral("--link"), link_, QStringLiteral("--quiet"),
                           QStringLiteral("--program-dir"), test::programDir()});
        sim_.start();
        ASSERT_TRUE(sim_.waitForStarted(5000));
        const QString first = simLine();
        ASSERT_TRUE(first.startsWith(QLatin1String("ready "))) << first.toStdString();
    }
    void TearDown() override {
        sim_.write("quit\n");
        sim_.closeWriteChannel();
        if (!sim_.waitForFinished(5000)) {
            sim_.kill();
            sim_.waitForFinished(2000);
        }
    }

    // One line of the simulator's output.
    QString simLine() {
        while (!sim_.canReadLine()) {
            if (!sim_.waitForReadyRead(5000)) {
                return QString();
            }
        }
        return QString::fromLocal8Bit(sim_.readLine()).trimmed();
    }
    // Runs a command on the simulator and returns its first output line.
    QString simCommand(const QString& command) {
        sim_.write((command + QLatin1Char('\n')).toLocal8Bit());
        return simLine();
    }

    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Result cli(QStringList args) {
        QProcess p;
        args.prepend(link_);
        args.prepend(QStringLiteral("--port"));
        p.start(test::programDir() + QStringLiteral("/tevra-cli"), args);
        p.waitForFinished(20000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

    test::ScratchDir scratch_;
    QString link_;
    QProcess sim_;
};

TEST_F(Programs, EveryCommandGoesOutByteForByte) {
    struct Case {
        QStringList args;
        QString output;     // contained in standard output
        QString lastFrame;  // the last frame the drive received
    };
    const Case cases[] = {
        {{QStringLiteral("probe")},
         QStringLiteral("ok"),
         QStringLiteral("AA 08 01 10 01 00 00 3C")},
        {{QStringLiteral("write"), QStringLiteral("1234"), QStringLiteral("0x5678")},
         QStringLiteral("ok"),
         QStringLiteral("AA 0A 01 11 34 12 00 78 56 26")},
        {{QStringLiteral("read"), QStringLiteral("1234")},
         QStringLiteral("22136 (0x5678"),
         nativeFrame({0xAA, 8, 1, 0x10, 0x34, 0x12, 0})},
        {{QStringLiteral("write32"), QStringLiteral("310"), QStringLiteral("-2")},
         QStringLiteral("ok"),
         nativeFrame({0xAA, 12, 1, 0x17, 0x10, 0x03, 0, 0xFE, 0xFF, 0xFF, 0xFF})},
        {{QStringLiteral("read32"), QStringLiteral("310")},
         QStringLiteral("signed -2)"),
         nativeFrame({0xAA, 8, 1, 0x16, 0x10, 0x03, 0})},
        {{QStringLiteral("eeprom-write"), QStringLiteral("1402"), QStringLiteral("48879")},
         QStringLiteral("ok"),
         nativeFrame({0xAA, 10, 1, 0x1B, 0x02, 0x14, 0, 0xEF, 0xBE})},
        {{QStringLiteral("eeprom-read"), QStringLiteral("1402")},
         QStringLiteral("48879 (0xBEEF)"),
         nativeFrame({0xAA, 8, 1, 0x1A, 0x02, 0x14, 0})},
        {{QStringLiteral("eeprom-read"), QStringLiteral("500"), QStringLiteral("--byte")},
         QStringLiteral("84 (0x54)"),
         nativeFrame({0xAA, 8, 1, 0x1E, 0x00, 0x05, 0})},
        {{QStringLiteral("control"), QStringLiteral("50")},
         QStringLiteral("ok"),
         QStringLiteral("AA 07 01 50 AA 55 FF")},
        {{QStringLiteral("info")},
         QStringLiteral("software version (5): V1.06"),
         nativeFrame({0xAA, 8, 1, 0x1E, 0x1D, 0x05, 0})},
        {{QStringLiteral("modbus-read"), QStringLiteral("1")},
         QString(),
         QStringLiteral("01 03 00 01 00 01 D5 CA")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const Result r = cli(c.args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.output)) << r.out.toStdString();
        EXPECT_EQ(simCommand(QStringLiteral("frames 1")), c.lastFrame);
    }
    const Result info = cli({QStringLiteral("info")});
    EXPECT_TRUE(info.out.contains(QStringLiteral("information number (3): TVD-A04")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("serial number: 03242011")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("drive information number: TVD-A04-220V")));
}

TEST_F(Programs, FailuresEndWithTheirExitCodes) {
    EXPECT_EQ(
        cli({QStringLiteral("--station"), QStringLiteral("2"), QStringLiteral("probe")}).exitCode,
        1);
    EXPECT_EQ(
        cli({QStringLiteral("--baud"), QStringLiteral("9600"), QStringLiteral("probe")}).exitCode,
        1);
    EXPECT_EQ(cli({QStringLiteral("read")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("read"), QStringLiteral("XYZ")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("bogus")}).exitCode, 2);
    QProcess p;
    p.start(
        test::programDir() + QStringLiteral("/tevra-cli"),
        {QStringLiteral("--port"), scratch_.file(QStringLiteral("none")), QStringLiteral("probe")});
    p.waitForFinished(10000);
    EXPECT_EQ(p.exitCode(), 3);

    // Faults set on the running drive: a corrupt reply is retried four times and the read
    // fails without printing a value.
    EXPECT_EQ(simCommand(QStringLiteral("corrupt on 10")), QStringLiteral("corrupt on for 10"));
    const Result r = cli({QStringLiteral("read"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("ErrorCount 4"))) << r.err.toStdString();
    sim_.write("counts\n");
    QStringList counts;
    for (QString line = simLine(); !line.isEmpty() && counts.size() < 10; line = simLine()) {
        counts << line;
        if (line.startsWith(QLatin1String("10:"))) {
            break;
        }
    }
    EXPECT_TRUE(counts.contains(QStringLiteral("10: 4")))
        << counts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(simCommand(QStringLiteral("clear-faults")), QStringLiteral("faults cleared"));
    EXPECT_EQ(cli({QStringLiteral("read"), QStringLiteral("1")}).exitCode, 0);
}

}  // namespace
}  // namespace tevra
