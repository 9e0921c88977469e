#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <functional>

#include "TestSupport.h"
#include "WidgetApp.h"
#include "shell/AppContext.h"
#include "shell/DemoDrive.h"
#include "shell/LampShape.h"
#include "shell/PollingScheduler.h"
#include "shell/ProgramMain.h"
#include "shell/QtUserDialogs.h"
#include "shell/TframConnect.h"
#include "shell/TfrmMain.h"
#include "shell/TipMessages.h"

namespace tevra {
namespace {

// Runs the event loop until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& fi :
         QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (fi.isDir()) {
            copyTree(fi.filePath(), to + u'/' + fi.fileName());
        } else if (fi.fileName() != u"tevra" && !fi.fileName().startsWith(u"tevra-")) {
            QFile::copy(fi.filePath(), to + u'/' + fi.fileName());
        }
    }
}

QMessageBox* findMessageBox(const QString& text) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box && box->isVisible() && box->text() == text) {
            return box;
        }
    }
    return nullptr;
}

// The tool on a copy of the build's program folder, beside tevra-drive-sim running as a
// process on a pseudo-terminal, as the demo mode runs them.
TEST(DemoSession, ConnectLoseTheDriveAndReconnect) {
    test::widgetApp();
    if (!QFileInfo(DemoDrive::programPath(test::programDir())).isExecutable()) {
        GTEST_SKIP() << "the simulated drive program is not built";
    }
    test::ScratchDir program;
    copyTree(test::programDir(), program.path());

    DemoDrive drive;
    drive.setExtraArguments({QStringLiteral("--no-pace")});
    QString error;
    ASSERT_TRUE(drive.start(test::programDir(), 1, 115200, &error)) << error.toStdString();

    AppContext ctx;
    ctx.folders = ProgramFolders(program.path(), program.path());
    ctx.config = IniFile(ctx.folders.configIniPath());
    QtUserDialogs dialogs;
    dialogs.setNonBlocking(true);
    ctx.dialogs = &dialogs;
    SetUpDriveLink(ctx);
    std::unique_ptr<TfrmMain> main = CreateWindows(ctx, nullptr);
    main->ApplyLateSettings();
    main->show();
    ctx.link->commErrMax = 2;

    TframConnect* page = main->framConnect();
    page->setStationIndex(1);
    page->addPortItem(drive.devicePath());
    page->selectPort(drive.devicePath());
    page->LinkBut()->click();

    ASSERT_TRUE(ctx.link->isConnected());
    EXPECT_EQ(page->LinkBut()->text(), QStringLiteral(u"断 开"));
    auto* version = page->findChild<QLabel*>(QStringLiteral("SoftVerLab"));
    EXPECT_TRUE(version->isEnabled());
    EXPECT_NE(version->text(), QStringLiteral(u"未知"));
    EXPECT_NE(version->text(), QStringLiteral(u"获取失败！"));
    EXPECT_EQ(page->findChild<QLabel*>(QStringLiteral("MachineIdLab"))->text(),
              QStringLiteral(u"01号"));
    EXPECT_EQ(ctx.config.readString("ComSet", "Port"), drive.devicePath());

    // The scheduler keeps the link up and blinks the lamp.
    EXPECT_TRUE(waitUntil([&] { return main->scheduler().BlinkCount > 60; }, 20000));
    EXPECT_TRUE(ctx.link->isConnected());
    EXPECT_EQ(ctx.link->LinkFailureCount.load(), 0);

    // The drive stops answering: after edtCommErrMax + 1 failed probes the link is given up
    // and message 14 says so.
    drive.sendCommand(QStringLiteral("silence on"));
    ASSERT_TRUE(waitUntil([&] { return !ctx.link->isConnected(); }, 20000));
    EXPECT_EQ(ctx.link->LinkFailureCount.load(), 3);
    EXPECT_FALSE(main->scheduler().timerEnabled());
    EXPECT_EQ(page->LinkBut()->text(), QStringLiteral(u"连 接"));
    EXPECT_EQ(main->shpConnet()->color(), LampShape::grey());
    QMessageBox* box = findMessageBox(TipMessages()[14]);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral(u"错误"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->close();
    // The identity stays as it was read.
    EXPECT_NE(version->text(), QStringLiteral(u"未知"));

    // The drive answers again: connect, then disconnect with the button.
    drive.sendCommand(QStringLiteral("silence off"));
    page->LinkBut()->click();
    ASSERT_TRUE(ctx.link->isConnected());
    EXPECT_TRUE(main->scheduler().timerEnabled());
    page->LinkBut()->click();
    EXPECT_FALSE(ctx.link->isConnected());
    EXPECT_FALSE(ctx.link->port().isOpen());
    EXPECT_EQ(page->LinkBut()->text(), QStringLiteral(u"连 接"));

    // Closing saves the station with the other settings.
    main->close();
    EXPECT_EQ(IniFile(ctx.folders.configIniPath()).readInt("framConnect", "MachNoCom", -1), 1);
    main.reset();
    drive.stop();
}

}  // namespace
}  // namespace tevra
