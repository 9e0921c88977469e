#include <gtest/gtest.h>

#include "DriveFaults.h"
#include "ShellTestMain.h"
#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "link/TermiosSerialPort.h"
#include "shell/AppContext.h"
#include "shell/BaudTable.h"
#include "shell/ConnectionController.h"
#include "shell/PollingScheduler.h"

namespace tevra {
namespace {

constexpr int kModbus = sim::kModbusRead;
constexpr int kReadWord = 0x10;
constexpr int kInfo = 0x30;

// The connection page as the logic sees it, recording what it was told.
class FakeView : public ConnectionView {
  public:
    QStringList items;
    QString port;
    QString baud = QStringLiteral("115200bps");
    int station = 1;
    std::vector<bool> linkStates;
    std::optional<DriveIdentity> identity;
    QStringList progress;
    QStringList baudsShown;
    int alerts = 0;
    bool progressOpen = false;

    QStringList portItems() const override { return items; }
    QString portText() const override { return port; }
    void addPortItem(const QString& name) override { items << name; }
    void selectPort(const QString& name) override {
        if (items.contains(name)) {
            port = name;
        }
    }
    QString baudText() const override { return baud; }
    void selectBaud(const QString& text) override {
        if (baud::ChoiceList().contains(text)) {
            baud = text;
            baudsShown << text;
        }
    }
    int stationIndex() const override { return station; }
    void setStationIndex(int index) override { station = index; }
    void repaintPage() override {}
    void showProgress(const QString& text) override {
        progress << text;
        progressOpen = true;
    }
    void appendProgressDot() override { progress.last() += u'.'; }
    void closeProgress() override { progressOpen = false; }
    void showLinkState(bool connected) override { linkStates.push_back(connected); }
    void showIdentity(const DriveIdentity& id) override { identity = id; }
    void alertFailure() override { ++alerts; }
    void pause(int) override {}
};

// A connection page on a program folder of its own, beside a simulated drive.
class ConnectionTest : public ::testing::Test {
  protected:
    void start(int driveBaud, uint8_t station = 1) {
        test::coreApp();
        test::SimDriveOptions o;
        o.baud = driveBaud;
        o.station = station;
        o.openLink = false;
        sim = std::make_unique<test::SimDrive>(o);
        ctx.folders = ProgramFolders(dir.path(), dir.path());
        ctx.config = IniFile(ctx.folders.configIniPath());
        ctx.link = std::make_unique<DriveLink>(std::make_unique<TermiosSerialPort>());
        ctx.newSerialPort = [] { return std::make_unique<TermiosSerialPort>(); };
        scheduler = std::make_unique<PollingScheduler>(ctx);
        ctx.scheduler = scheduler.get();
        controller = std::make_unique<ConnectionController>(ctx, view, ctx.newSerialPort);
        view.station = station;
    }
    QString drivePath() const { return sim->devicePath(); }
    sim::SimulatedDrive& drive() { return sim->drive(); }
    IniFile savedConfig() const { return IniFile(dir.file(QStringLiteral("Config.ini"))); }

    test::ScratchDir dir;
    AppContext ctx;
    FakeView view;
    std::unique_ptr<test::SimDrive> sim;
    std::unique_ptr<PollingScheduler> scheduler;
    std::unique_ptr<ConnectionController> controller;
};

TEST_F(ConnectionTest, ChosenSettingsThatAnswerConnectWithoutScanning) {
    start(115200);
    drive().setInfoString(5, QStringLiteral("V2.13"));
    drive().setSerialNumberBytes({0x12, 0x34, 0x56, 0x78});
    drive().setInfoNumber("TVD-A 2kW");
    view.items = {drivePath()};
    view.port = drivePath();
    drive().clearLog();

    controller->LinkButClick();

    EXPECT_TRUE(ctx.link->isConnected());
    EXPECT_EQ(view.linkStates, std::vector<bool>{true});
    EXPECT_TRUE(scheduler->timerEnabled());
    EXPECT_FALSE(view.progressOpen);
    EXPECT_EQ(view.progress, QStringList{QStringLiteral(u"通信连接中，请稍候..")});
    // One probe: one Modbus read and one word read; then only identity reads.
    EXPECT_EQ(drive().requestCount(kModbus), 1);
    EXPECT_EQ(drive().requestCount(kReadWord), 1);
    ASSERT_TRUE(view.identity);
    EXPECT_EQ(view.identity->SoftVerLab, "V2.13");
    EXPECT_EQ(view.identity->MachineIdLab, QStringLiteral(u"01号"));
    EXPECT_EQ(view.identity->ProSeriNoLab, "12345678");
    EXPECT_EQ(view.identity->DriInfNumLab, "TVD-A 2kW");
    EXPECT_EQ(savedConfig().readString("ComSet", "Port"), drivePath());
    EXPECT_EQ(savedConfig().readInt("ComSet", "Baud", -1), baud::k115200);

    // Pressed again: disconnect.
    controller->LinkButClick();
    EXPECT_FALSE(ctx.link->isConnected());
    EXPECT_FALSE(ctx.link->port().isOpen());
    EXPECT_FALSE(scheduler->timerEnabled());
    EXPECT_EQ(view.linkStates, (std::vector<bool>{true, false}));
}

TEST_F(ConnectionTest, ScanFindsTheDriveOnTheSecondPortAt9600) {
    start(9600);
    const QString dead = dir.file(QStringLiteral("no-such-tty"));
    view.items = {dead, drivePath()};
    view.port = dead;

    controller->LinkButClick();

    ASSERT_TRUE(ctx.link->isConnected());
    EXPECT_EQ(view.port, drivePath());
    EXPECT_EQ(view.baud, QStringLiteral("9600bps"));
    // The scan tried 115200 first, then 9600.
    EXPECT_EQ(view.baudsShown.mid(view.baudsShown.indexOf(QStringLiteral("115200bps"))),
              (QStringList{QStringLiteral("115200bps"), QStringLiteral("9600bps")}));
    EXPECT_EQ(savedConfig().readString("ComSet", "Port"), drivePath());
    EXPECT_EQ(savedConfig().readInt("ComSet", "Baud", -1), baud::k9600);
}

// The probe needs both exchanges: a drive that answers only one of them is not accepted,
// and the failure sequence runs.
TEST_F(ConnectionTest, DriveAnsweringOnlyOneProbeExchangeIsRefused) {
    for (int broken : {kModbus, kReadWord}) {
        SCOPED_TRACE(broken);
        start(115200);
        drive().addFault({sim::FaultKind::CorruptReply, broken, sim::kForever, 0});
        view = FakeView();
        view.items = {drivePath()};
        view.port = drivePath();
        controller->LinkButClick();
        EXPECT_FALSE(ctx.link->isConnected());
        EXPECT_FALSE(ctx.link->port().isOpen());
        EXPECT_EQ(view.linkStates, std::vector<bool>{false});
        EXPECT_EQ(view.alerts, 1);
        EXPECT_EQ(view.progress.last(), ConnectionController::failureText());
        EXPECT_FALSE(view.progressOpen);
        EXPECT_FALSE(view.identity);
        EXPECT_FALSE(savedConfig().hasKey("ComSet", "Port"));
    }
}

TEST_F(ConnectionTest, IdentityItemsThatCannotBeReadSayReadingFailed) {
    start(115200, 10);
    ctx.link->port().open(drivePath(), 115200);
    ctx.link->setStation(10);
    drive().setSerialNumberBytes({0xAB, 0x01, 0x00, 0xFF});
    drive().setInfoNumber(QByteArray());  // all 0xFF: blank
    // The first information string (code 3) gets four corrupt replies.
    drive().addFault({sim::FaultKind::CorruptReply, kInfo, 4, 0});
    DriveIdentity id = controller->ReadDriveIdentity();
    EXPECT_EQ(id.DriTypeLab, QStringLiteral(u"获取失败！"));
    EXPECT_NE(id.DriUseIDLab, QStringLiteral(u"获取失败！"));
    EXPECT_EQ(id.MachineIdLab, QStringLiteral(u"0A号"));
    EXPECT_EQ(id.ProSeriNoLab, "AB0100FF");
    EXPECT_EQ(id.DriInfNumLab, "");

    // EEPROM reads that fail show the failure text, never a value from before.
    drive().addFault({sim::FaultKind::CorruptReply, 0x1A, sim::kForever, 0});
    drive().addFault({sim::FaultKind::CorruptReply, 0x1E, sim::kForever, 0});
    id = controller->ReadDriveIdentity();
    EXPECT_EQ(id.ProSeriNoLab, QStringLiteral(u"获取失败！"));
    EXPECT_EQ(id.DriInfNumLab, QStringLiteral(u"获取失败！"));
}

TEST_F(ConnectionTest, ComSetAndStationSettings) {
    start(115200);
    test::ScratchDir other;
    ctx.config = IniFile::fromBytes("[ComSet]\r\nPort=" + drivePath().toUtf8() +
                                    "\r\nBaud=7\r\n[framConnect]\r\nMachNoCom=10\r\n");
    view.items = {QStringLiteral("/dev/ttyS0")};
    view.port = QStringLiteral("/dev/ttyS0");
    controller->LoadComSet();
    // A device the system does not list but that is there joins the list.
    EXPECT_EQ(view.port, drivePath());
    EXPECT_EQ(view.baud, QStringLiteral("9600bps"));
    EXPECT_EQ(ReadStationSetting(ctx.config), 10);

    // "Custom" (0) and a rate missing from the box leave the box as it is.
    for (int b : {0, 1}) {
        view.baud = QStringLiteral("19200bps");
        ctx.config.writeInt("ComSet", "Baud", b);
        controller->LoadComSet();
        EXPECT_EQ(view.baud, QStringLiteral("19200bps"));
    }
    // A port that is gone is not selected.
    ctx.config.writeString("ComSet", "Port", other.file("gone"));
    controller->LoadComSet();
    EXPECT_EQ(view.port, drivePath());
    EXPECT_FALSE(view.items.contains(other.file("gone")));
}

TEST(ConnectionNames, StationItemsAndPortDevices) {
    EXPECT_EQ(StationItemText(0), QStringLiteral(u"00号"));
    EXPECT_EQ(StationItemText(10), QStringLiteral(u"0A号"));
    EXPECT_EQ(StationItemText(255), QStringLiteral(u"FF号"));
    EXPECT_EQ(PortDevicePath(QStringLiteral(" /dev/pts/3 ")), "/dev/pts/3");
    EXPECT_EQ(PortDevicePath(QStringLiteral("com3")), "/dev/ttyS2");
    EXPECT_EQ(PortDevicePath(QStringLiteral("ttyUSB0")), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(QStringLiteral("  ")), "");
    EXPECT_EQ(baud::Text(13), "115200bps");
    EXPECT_EQ(baud::Text(0), "Custom");
    EXPECT_EQ(baud::Rate(11), 56000);
    EXPECT_EQ(baud::IndexOf(QStringLiteral(" 9600bps ")), 7);
    EXPECT_EQ(baud::IndexOf(QStringLiteral("9600")), -1);
}

}  // namespace
}  // namespace tevra
