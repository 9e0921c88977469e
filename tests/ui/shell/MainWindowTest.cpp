#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ShellUiSupport.h"
#include "parameters/TframParameter.h"
#include "scope/TframeWave.h"
#include "shell/BalloonHint.h"
#include "shell/PollingScheduler.h"
#include "shell/ProgramMain.h"
#include "shell/TframConnect.h"
#include "shell/TfrmCommSet.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmOptions.h"
#include "shell/TfrmTool.h"
#include "shell/TfrmToolWord.h"
#include "shell/TipMessages.h"
#include "tools/TfrmZero.h"

namespace tevra {
namespace {

struct MainFixture : test::ShellFixture {
    explicit MainFixture(bool administrator = false) {
        ctx.AdministratorMode = administrator;
        main = CreateWindows(ctx, nullptr);
        main->ApplyLateSettings();
        main->show();
    }
    ~MainFixture() { main.reset(); }
    QAction* action(const char* name) { return test::find<QAction>(main.get(), name); }
    QPushButton* button(const char* name) { return test::find<QPushButton>(main.get(), name); }
    QString title() { return test::find<QLabel>(main.get(), "spnlTitle")->text(); }
    std::unique_ptr<TfrmMain> main;
};

TEST(MainWindow, CaptionSizeAndFirstPage) {
    MainFixture f;
    EXPECT_EQ(f.main->windowTitle(), QStringLiteral(u"Tevra系列伺服监控软件 V2.000"));
    EXPECT_EQ(f.main->size(), QSize(1080, 768));
    EXPECT_TRUE(f.main->framParameter()->isVisible());
    EXPECT_TRUE(f.main->framConnect()->isVisible());
    EXPECT_EQ(f.title(), QStringLiteral(u"参   数"));
    EXPECT_TRUE(f.ctx.MainReady);
    EXPECT_TRUE(f.main->scheduler().timerEnabled());
    EXPECT_TRUE(f.button("btnHelp")->isHidden());
    // The selected model and the system records were read without complaint.
    EXPECT_FALSE(f.ctx.modelLines.isEmpty());
    EXPECT_FALSE(f.ctx.outputStatusRegister.Name.isEmpty());
    EXPECT_NE(f.ctx.io.XRegNumber, 0xFFFF);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(MainWindow, PermissionLevelDecidesWhatIsShown) {
    for (bool admin : {false, true}) {
        MainFixture f(admin);
        SCOPED_TRACE(admin);
        EXPECT_EQ(f.button("btnDebug")->isVisible(), admin);
        EXPECT_FALSE(f.button("btnDebug")->isEnabled());
        EXPECT_EQ(f.action("pmiDeveloperToolItem")->isVisible(), admin);
        EXPECT_EQ(f.action("N3")->isVisible(), admin);
        EXPECT_EQ(test::find<QLabel>(f.main.get(), "SoftDateLab")->isVisible(), admin);
        EXPECT_TRUE(test::find<QLabel>(f.main.get(), "SoftNoteLab")->isVisible());
        EXPECT_FALSE(test::find<QLabel>(f.main.get(), "DriInfNumLab")->isVisible());
        for (const char* item : {"pmiGain", "pmiVoltageCoefficient", "pmiEncoder", "pmiEEPROM",
                                 "pmiUserConfig", "pmAutoGainFile"}) {
            EXPECT_FALSE(f.action(item)->isEnabled()) << item;
        }
    }
}

TEST(MainWindow, DeveloperToolPasswordEnablesTheTools) {
    MainFixture f(true);
    TfrmToolWord* dialog = f.main->frmToolWord();
    EXPECT_EQ(dialog->PassWordEdit()->toolTip(), QStringLiteral(u"密码提示：91..."));
    // A wrong password keeps the dialog open; then the right one closes it.
    QTimer::singleShot(0, dialog, [&] {
        dialog->PassWordEdit()->setText(QStringLiteral("12345678"));
        dialog->Confirm();
        EXPECT_TRUE(dialog->isVisible());
        dialog->PassWordEdit()->setText(QStringLiteral("91536047"));
        dialog->Confirm();
    });
    f.action("pmiToolWord")->trigger();
    ASSERT_GE(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, QStringLiteral(u"密码错误，请重新输入！"));
    EXPECT_EQ(f.dialogs.shown[0].caption, QStringLiteral(u"提示"));
    EXPECT_EQ(f.dialogs.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(f.ctx.DeveloperToolPermission);
    EXPECT_TRUE(f.action("pmiGain")->isEnabled());
    EXPECT_TRUE(f.action("pmAutoGainFile")->isEnabled());
    EXPECT_TRUE(f.button("btnDebug")->isEnabled());
}

TEST(MainWindow, PageSwitchingIsRefusedDuringACapture) {
    MainFixture f;
    f.button("btnWave")->click();
    EXPECT_TRUE(f.main->frameWave()->isVisible());
    EXPECT_FALSE(f.main->framParameter()->isVisible());
    EXPECT_EQ(f.title(), QStringLiteral(u"波   形"));
    EXPECT_TRUE(f.main->timer2().isActive());

    f.ctx.CaptureRunning = true;
    for (const char* name : {"btnLPCM", "btnParameter", "btnSystemStus", "btnError"}) {
        f.dialogs.shown.clear();
        f.button(name)->click();
        ASSERT_EQ(f.dialogs.shown.size(), 1u) << name;
        EXPECT_EQ(f.dialogs.shown[0].text, TipMessages()[46]);
        EXPECT_EQ(f.dialogs.shown[0].caption, f.main->windowTitle());
        EXPECT_EQ(f.dialogs.shown[0].icon, MessageIcon::Information);
        EXPECT_TRUE(f.main->frameWave()->isVisible()) << name;
        EXPECT_EQ(f.title(), QStringLiteral(u"波   形"));
    }
    f.ctx.CaptureRunning = false;
    f.button("btnLPCM")->click();
    EXPECT_FALSE(f.main->frameWave()->isVisible());
    EXPECT_EQ(f.title(), QStringLiteral("iPLC"));
    f.action("mmiCloseAll")->trigger();
    EXPECT_EQ(f.title(), QStringLiteral(u"准备"));
}

TEST(MainWindow, CtrlShiftTTogglesTheShiftToolOnlyOnTheWavePage) {
    MainFixture f;
    TfrmTool* tool = f.main->frmTool();
    QTest::keyClick(f.main->framParameter(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(tool->isVisible());
    f.button("btnWave")->click();
    QTest::keyClick(f.main->frameWave(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(tool->isVisible());
    EXPECT_EQ(tool->mode(), TfrmTool::ShiftMode::Unrestricted);
    QTest::keyClick(f.main->frameWave(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(tool->isVisible());
}

// The window's keys reach it wherever the keyboard focus sits in it: the arrows and A, W,
// D, S move it by 10 pixels and never change which shift button is down.
TEST(ShiftToolWindow, KeysMoveTheWindowAndKeepTheMode) {
    MainFixture f;
    TfrmTool* tool = f.main->frmTool();
    tool->move(200, 200);
    tool->show();
    tool->activateWindow();
    QApplication::processEvents();
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != tool) {
        target = tool;
    }
    const struct {
        Qt::Key key;
        QPoint step;
    } cases[] = {{Qt::Key_Left, {-10, 0}}, {Qt::Key_Up, {0, -10}}, {Qt::Key_Right, {10, 0}},
                 {Qt::Key_Down, {0, 10}},  {Qt::Key_A, {-10, 0}},  {Qt::Key_W, {0, -10}},
                 {Qt::Key_D, {10, 0}},     {Qt::Key_S, {0, 10}}};
    for (const auto& c : cases) {
        const QPoint before = tool->pos();
        QTest::keyClick(target, c.key);
        EXPECT_EQ(tool->pos(), before + c.step) << QKeySequence(c.key).toString().toStdString();
        EXPECT_EQ(tool->mode(), TfrmTool::ShiftMode::Unrestricted);
    }
    QTest::keyClick(target, Qt::Key_T, Qt::ShiftModifier);
    EXPECT_FALSE(tool->isVisible());
}

TEST(MainWindow, LinkStateSwitchesButtonLampAndModelMenu) {
    MainFixture f;
    std::vector<bool> heard;
    f.ctx.linkStateListeners.push_back([&](bool c) { heard.push_back(c); });
    QPushButton* linkBut = f.main->framConnect()->LinkBut();
    EXPECT_EQ(linkBut->text(), QStringLiteral(u"连 接"));
    EXPECT_EQ(linkBut->toolTip(),
              QStringLiteral(u"设备进行通信参数设置及网络测试，以证实机器与计算机连接无误"));
    f.main->ShowLinkState(true);
    EXPECT_EQ(linkBut->text(), QStringLiteral(u"断 开"));
    EXPECT_FALSE(f.action("pmiSelectModel")->isEnabled());
    f.main->ShowLinkState(false);
    EXPECT_EQ(linkBut->text(), QStringLiteral(u"连 接"));
    EXPECT_TRUE(f.action("pmiSelectModel")->isEnabled());
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));
    // The shortcuts of the menus.
    EXPECT_EQ(f.action("pmiSelectModel")->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    EXPECT_EQ(f.action("N11")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    EXPECT_EQ(f.action("mmiOptions")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    EXPECT_EQ(f.action("mmiAbout")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+A")));
}

TEST(ConnectionPage, PortListFollowsTheSystemAndKeepsTypedPaths) {
    MainFixture f;
    QStringList system = {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};
    f.ctx.listSerialPorts = [&] { return system; };
    TframConnect* page = f.main->framConnect();
    page->RefreshPortList();
    EXPECT_EQ(page->portItems(), system);
    page->addPortItem(QStringLiteral("/tmp/pts-link"));
    // The adapter is unplugged and another appears: the list follows when it opens.
    system = {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyACM0")};
    page->cbxPort()->showPopup();
    page->cbxPort()->hidePopup();
    EXPECT_EQ(page->portItems(), (QStringList{"/dev/ttyS0", "/dev/ttyACM0", "/tmp/pts-link"}));
    // 256 stations, shown in hexadecimal.
    EXPECT_EQ(page->MachNoCom()->count(), 256);
    EXPECT_EQ(page->MachNoCom()->itemText(10), QStringLiteral(u"0A号"));
    EXPECT_EQ(page->cbxBaud()->count(), 5);
    EXPECT_EQ(page->cbxBaud()->currentText(), QStringLiteral("115200bps"));
}

TEST(MainWindow, HotKeyDigitsComeFromTheDigitRow) {
    // The shifted symbols of the digit row count as their digits.
    QKeyEvent shifted(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, QStringLiteral("!"));
    EXPECT_EQ(MainKeyboardDigit(shifted), 1);
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_7, Qt::AltModifier);
    EXPECT_EQ(MainKeyboardDigit(alt), 7);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(MainKeyboardDigit(letter), -1);
}

TEST(MainWindow, ClosingAsksAndSavesOnYes) {
    MainFixture f;
    f.main->framConnect()->setStationIndex(10);
    f.dialogs.answers = {false};
    f.main->close();
    EXPECT_TRUE(f.main->isVisible());
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, TipMessages()[45]);
    EXPECT_EQ(f.dialogs.shown[0].caption, f.main->windowTitle());
    EXPECT_TRUE(f.dialogs.shown[0].question);
    EXPECT_FALSE(f.savedConfig().hasKey("framConnect", "MachNoCom"));

    f.dialogs.answers = {true};
    f.main->close();
    EXPECT_FALSE(f.main->isVisible());
    const IniFile saved = f.savedConfig();
    EXPECT_EQ(saved.readInt("framConnect", "MachNoCom", -1), 10);
    EXPECT_TRUE(saved.hasKey("frmTool", "Top"));
    EXPECT_TRUE(saved.hasKey("frmTool", "Left"));
}

TEST(OptionsDialog, OutOfRangeFrequencyShowsABalloonAndStaysOpen) {
    MainFixture f;
    TfrmOptions* options = f.main->frmOptions();
    options->show();
    auto* freq = test::find<QLineEdit>(options, "edtCalcimineFrqncy");
    auto* limit = test::find<QLineEdit>(options, "edtCommErrMax");
    EXPECT_EQ(freq->text(), "10");
    // Only digits can be typed into the frequency.
    freq->clear();
    QTest::keyClicks(freq, QStringLiteral("1a6"));
    EXPECT_EQ(freq->text(), "16");
    QTest::keyClick(freq, Qt::Key_Backspace);
    EXPECT_EQ(freq->text(), "16");

    freq->setText(QStringLiteral("0"));
    limit->setText(QStringLiteral("3"));
    test::find<QPushButton>(options, "btnConfirm")->click();
    EXPECT_TRUE(options->isVisible());
    BalloonHint* balloon = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* b = qobject_cast<BalloonHint*>(w); b && b->isVisible()) {
            balloon = b;
        }
    }
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->text(), QStringLiteral(u"输入数值超出范围。"));
    EXPECT_EQ(balloon->title(), QStringLiteral(u"提示"));
    EXPECT_EQ(balloon->icon(), BalloonInfo);
    EXPECT_EQ(f.ctx.link->commErrMax.load(), 10);

    // Cancel restores what was saved; a valid frequency closes the dialog.
    test::find<QPushButton>(options, "btnCancel")->click();
    EXPECT_EQ(limit->text(), "10");
    options->show();
    freq->setText(QStringLiteral("16"));
    test::find<QPushButton>(options, "btnConfirm")->click();
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(f.main->timer2().interval(), 62);
}

TEST(CommSetDialog, ConfirmReportsWhetherThePortTookTheValues) {
    MainFixture f;
    TfrmCommSet* dialog = f.main->frmCommSet();
    dialog->show();
    EXPECT_EQ(dialog->edit(0)->text(), "20");
    dialog->edit(0)->setText(QStringLiteral("35"));
    dialog->Confirm();
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, QStringLiteral(u"通信延时设置成功。"));
    EXPECT_EQ(f.dialogs.shown[0].caption, QStringLiteral(u"提示"));
    EXPECT_EQ(f.ctx.link->port().timeouts().readInterval, 35);
    EXPECT_EQ(f.savedConfig().readString("TimesOut1", "edtReadInterval1"), "35");
    dialog->show();
    dialog->edit(1)->setText(QStringLiteral("x"));
    dialog->Confirm();
    EXPECT_EQ(f.dialogs.shown.back().text, QStringLiteral(u"通信延时设置失败。"));
    EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
}  // namespace tevra
