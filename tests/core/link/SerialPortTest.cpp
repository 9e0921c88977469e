// The serial port's time-out rules and device handling, on a pseudo-terminal whose
// master side the test drives itself.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "TestSupport.h"
#include "link/SerialDevices.h"
#include "link/TermiosBaud.h"
#include "link/TermiosSerialPort.h"

namespace tevra {
namespace {

using namespace std::chrono_literals;

// A pseudo-terminal: the test writes on the master what the port receives.
class Peer {
  public:
    Peer() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master_);
        unlockpt(master_);
        name_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~Peer() {
        if (master_ >= 0) {
            ::close(master_);
        }
    }
    QString device() const { return name_; }
    int fd() const { return master_; }
    void send(const QByteArray& bytes) {
        ASSERT_EQ(::write(master_, bytes.constData(), static_cast<size_t>(bytes.size())),
                  bytes.size());
    }
    QByteArray receive() {
        char buf[256];
        QByteArray got;
        for (int i = 0; i < 100 && got.isEmpty(); ++i) {
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, n);
            } else {
                std::this_thread::sleep_for(1ms);
            }
        }
        return got;
    }
    void hangUp() {
        ::close(master_);
        master_ = -1;
    }

  private:
    int master_ = -1;
    QString name_;
};

SerialTimeouts readTimeouts(int interval, int multiplier, int constant) {
    SerialTimeouts t;
    t.readInterval = interval;
    t.readTotalMultiplier = multiplier;
    t.readTotalConstant = constant;
    return t;
}

TEST(SerialPort, ReadEndsAtTheCountAskedFor) {
    Peer peer;
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(peer.device(), 115200));
    ASSERT_TRUE(port.setTimeouts(readTimeouts(20, 0, 5000)));
    peer.send("abcdef");
    uint8_t buf[8] = {};
    EXPECT_EQ(port.read(buf, 4), 4);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(buf), 4), "abcd");
    EXPECT_EQ(port.read(buf, 2), 2) << "the rest stays for the next read";
}

TEST(SerialPort, ReadEndsWhenTheLineIsQuietForMoreThanTheInterval) {
    Peer peer;
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(peer.device(), 115200));
    ASSERT_TRUE(port.setTimeouts(readTimeouts(30, 0, 10000)));
    std::thread sender([&] {
        peer.send("ab");
        std::this_thread::sleep_for(300ms);  // far beyond the interval
        peer.send("cd");
    });
    uint8_t buf[8] = {};
    const int got = port.read(buf, 4);
    sender.join();
    EXPECT_EQ(got, 2) << "the gap after the first bytes ends the read";

    // Gaps shorter than the interval keep the read going.
    ASSERT_TRUE(port.purge());
    ASSERT_TRUE(port.setTimeouts(readTimeouts(1000, 0, 10000)));
    std::thread slow([&] {
        for (const char* part : {"1", "2", "3", "4"}) {
            peer.send(part);
            std::this_thread::sleep_for(20ms);
        }
    });
    EXPECT_EQ(port.read(buf, 4), 4);
    slow.join();
}

TEST(SerialPort, ReadEndsAtTheTotalTimeout) {
    Peer peer;
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(peer.device(), 115200));
    // A byte every 10 ms never trips the interval, but the total (60 ms) ends the read.
    ASSERT_TRUE(port.setTimeouts(readTimeouts(500, 0, 60)));
    std::atomic<bool> done{false};
    std::thread sender([&] {
        for (int i = 0; i < 100 && !done; ++i) {
            peer.send("x");
            std::this_thread::sleep_for(10ms);
        }
    });
    uint8_t buf[100] = {};
    const int got = port.read(buf, 100);
    done = true;
    sender.join();
    EXPECT_GE(got, 1);
    EXPECT_LT(got, 100);

    // Nothing at all: the read gives up with 0 bytes.
    ASSERT_TRUE(port.purge());
    ASSERT_TRUE(port.setTimeouts(readTimeouts(20, 1, 10)));
    EXPECT_EQ(port.read(buf, 4), 0);
}

TEST(SerialPort, ZeroTotalReturnsWhatIsAlreadyThere) {
    Peer peer;
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(peer.device(), 115200));
    ASSERT_TRUE(port.setTimeouts(readTimeouts(0, 0, 0)));
    uint8_t buf[8] = {};
    EXPECT_EQ(port.read(buf, 4), 0);
    peer.send("ab");
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(port.read(buf, 4), 2);
}

TEST(SerialPort, PurgeDiscardsReceivedBytes) {
    Peer peer;
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(peer.device(), 115200));
    ASSERT_TRUE(port.setTimeouts(readTimeouts(20, 1, 20)));
    peer.send("stale");
    std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(port.purge());
    peer.send("new");
    uint8_t buf[8] = {};
    ASSERT_EQ(port.read(buf, 3), 3);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(buf), 3), "new");
}

TEST(SerialPort, WriteReachesThePeer) {
    Peer peer;
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(peer.device(), 115200));
    const uint8_t frame[] = {0xAA, 0x08, 0x01, 0x10, 0x01, 0x00, 0x00, 0x3C};
    EXPECT_EQ(port.write(frame, 8), 8);
    EXPECT_EQ(peer.receive(), QByteArray(reinterpret_cast<const char*>(frame), 8))
        << "raw: no byte translated";
}

TEST(SerialPort, HangUpEndsAReadAtOnce) {
    auto peer = std::make_unique<Peer>();
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(peer->device(), 115200));
    ASSERT_TRUE(port.setTimeouts(readTimeouts(20, 0, 600000)));
    peer->hangUp();
    uint8_t buf[4] = {};
    EXPECT_EQ(port.read(buf, 4), 0);  // would wait ten minutes if a hang-up were ignored
}

TEST(SerialPort, AnyBaudRateReachesTheLine) {
    Peer peer;
    TermiosSerialPort port;
    for (int baud : {9600, 56000, 128000, 2457600}) {
        ASSERT_TRUE(port.open(peer.device(), baud)) << baud;
        EXPECT_EQ(termios2::speed(peer.fd()), baud);
        port.close();
    }
    ASSERT_TRUE(port.open(peer.device(), 9600));
    ASSERT_TRUE(port.setBaudRate(115200));
    EXPECT_EQ(termios2::speed(peer.fd()), 115200);
    EXPECT_EQ(port.baudRate(), 115200);
    EXPECT_FALSE(port.setBaudRate(0));
}

TEST(SerialPort, SettingsAndClosedPort) {
    TermiosSerialPort port;
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.purge());
    uint8_t b = 0;
    EXPECT_EQ(port.write(&b, 1), 0);
    EXPECT_EQ(port.read(&b, 1), 0);
    SerialTimeouts t;
    EXPECT_EQ(port.timeouts(), t) << "all five are 20 ms at first";
    t.writeTotalConstant = -1;
    EXPECT_FALSE(port.setTimeouts(t));
    t.writeTotalConstant = 7;
    EXPECT_TRUE(port.setTimeouts(t));
    EXPECT_EQ(port.timeouts().writeTotalConstant, 7);
}

TEST(SerialDevices, OpenFailuresNameTheDeviceAndTheCause) {
    QString error;
    TermiosSerialPort port;
    EXPECT_FALSE(port.open(QStringLiteral("/dev/tevra-no-such-port"), 9600, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/dev/tevra-no-such-port")));
    EXPECT_FALSE(serialDeviceOpens(QStringLiteral("/dev/null"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("不是串口"))) << error.toStdString();
    EXPECT_FALSE(serialDeviceOpens(QStringLiteral("  ")));

    // The permission text names the group the user lacks.
    test::ScratchDir dir;
    const QString dev = dir.file(QStringLiteral("ttyFAKE"));
    dir.write(QStringLiteral("ttyFAKE"), "x");
    const QString text = serialOpenErrorText(dev, EACCES);
    EXPECT_TRUE(text.contains(dev));
    EXPECT_TRUE(text.contains(QStringLiteral("权限")));

    Peer peer;
    EXPECT_TRUE(serialDeviceOpens(peer.device()));
    EXPECT_EQ(serialDevicePath(QStringLiteral("ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(serialDevicePath(QStringLiteral("/tmp/drive")), QStringLiteral("/tmp/drive"));
}

TEST(SerialDevices, ListsHardwarePortsOnly) {
    test::ScratchDir sys;
    auto makeTty = [&](const QString& name, bool device, const QByteArray& type) {
        QDir(sys.path()).mkpath(name);
        if (device) {
            QDir(sys.path()).mkpath(name + QStringLiteral("/device"));
        }
        if (!type.isNull()) {
            sys.write(name + QStringLiteral("/type"), type);
        }
    };
    makeTty(QStringLiteral("ttyS0"), true, "4\n");
    makeTty(QStringLiteral("ttyS1"), true, "0\n");  // no UART fitted
    makeTty(QStringLiteral("ttyS10"), true, "4\n");
    makeTty(QStringLiteral("ttyS2"), true, "4\n");
    makeTty(QStringLiteral("ttyUSB0"), true, QByteArray());
    makeTty(QStringLiteral("ttyACM0"), true, QByteArray());
    makeTty(QStringLiteral("tty1"), false, QByteArray());
    makeTty(QStringLiteral("ptmx"), false, QByteArray());
    makeTty(QStringLiteral("console"), false, QByteArray());
    EXPECT_EQ(listSerialDevices(sys.path()),
              QStringList({QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyS0"),
                           QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyS10"),
                           QStringLiteral("/dev/ttyUSB0")}));
}

}  // namespace
}  // namespace tevra
