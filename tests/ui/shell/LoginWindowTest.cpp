#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "ShellUiSupport.h"
#include "shell/TStartupIM.h"

namespace tevra {
namespace {

void tick(TStartupIM& login, int n) {
    for (int i = 0; i < n; ++i) {
        login.Timer1Tick();
    }
}

// The remembered password decides the level on the 41st tick without any input.
TEST(LoginWindow, AutomaticConfirmationGivesTheRememberedLevel) {
    struct Case {
        const char* ini;
        bool administrator;
        const char16_t* title;
    };
    const Case cases[] = {
        {"[Systemset]\r\nAutoPassWordChecked=1\r\nkk=47318\r\n", true,
         u"系统已确认您的权限为管理员.."},
        {"[Systemset]\r\nAutoPassWordChecked=1\r\nkk=12345\r\n", false,
         u"Tevra系列交流伺服驱动器监控软件."},
        // Not remembered: the stored password is not used.
        {"[Systemset]\r\nAutoPassWordChecked=0\r\nkk=47318\r\n", false,
         u"Tevra系列交流伺服驱动器监控软件."},
    };
    for (const Case& c : cases) {
        test::ShellFixture f(c.ini);
        TStartupIM login(f.ctx);
        login.timer1().stop();
        QSignalSpy finished(&login, &TStartupIM::loginFinished);
        tick(login, 40);
        EXPECT_FALSE(f.ctx.LoginConfirmed) << c.ini;
        tick(login, 1);
        EXPECT_TRUE(f.ctx.LoginConfirmed) << c.ini;
        EXPECT_EQ(f.ctx.AdministratorMode, c.administrator) << c.ini;
        EXPECT_EQ(login.TitleMesLabel()->text(), QString::fromUtf16(c.title));
        EXPECT_FALSE(login.waitingForLogin());
        EXPECT_EQ(finished.count(), 1);
        EXPECT_TRUE(login.PasswordEdit()->isHidden());
        // Once the main window is ready the timer stops itself.
        login.timer1().start();
        f.ctx.MainReady = true;
        tick(login, 1);
        EXPECT_FALSE(login.timer1().isActive());
    }
}

TEST(LoginWindow, F6StopsTheAutomaticConfirmation) {
    test::ShellFixture f("[Systemset]\r\nAutoPassWordChecked=1\r\nkk=47318\r\n");
    TStartupIM login(f.ctx);
    login.timer1().stop();
    login.show();
    tick(login, 10);
    QTest::keyClick(&login, Qt::Key_F6);
    EXPECT_FALSE(login.PasswordEdit()->isHidden());
    tick(login, 100);
    EXPECT_FALSE(f.ctx.LoginConfirmed);
    // The user now confirms with Enter.
    login.PasswordEdit()->setText(QStringLiteral("1"));
    QTest::keyClick(login.PasswordEdit(), Qt::Key_Return);
    EXPECT_TRUE(f.ctx.LoginConfirmed);
    EXPECT_FALSE(f.ctx.AdministratorMode);
}

TEST(LoginWindow, MarkerShowsTheBoxButTheTimerStillConfirms) {
    test::ShellFixture f("[Systemset]\r\nAutoPassWordChecked=0\r\n");
    TStartupIM login(f.ctx);
    login.timer1().stop();
    login.show();
    EXPECT_TRUE(login.PasswordEdit()->isHidden());
    QTest::mouseClick(login.BackdoorLab(), Qt::LeftButton);
    EXPECT_FALSE(login.PasswordEdit()->isHidden());
    login.PasswordEdit()->setText(QStringLiteral(" 47318 "));
    tick(login, 41);
    EXPECT_TRUE(f.ctx.AdministratorMode);
    EXPECT_TRUE(login.PasswordEdit()->isHidden());
}

TEST(LoginWindow, EscapeEndsWithoutConfirming) {
    test::ShellFixture f;
    TStartupIM login(f.ctx);
    login.show();
    QSignalSpy finished(&login, &TStartupIM::loginFinished);
    QTest::keyClick(&login, Qt::Key_Escape);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(f.ctx.LoginConfirmed);
    EXPECT_FALSE(login.waitingForLogin());
}

TEST(LoginWindow, ClosingSavesPasswordOnlyWhenRemembered) {
    for (bool remember : {true, false}) {
        test::ShellFixture f(
            "[Systemset]\r\nAutoPassWordChecked=1\r\nkk=47318\r\n"
            "[SofwareMessage]\r\nbUser=1\r\n");
        TStartupIM login(f.ctx);
        login.timer1().stop();
        login.show();
        login.AutoPassWord()->setChecked(remember);
        // A double click on the picture hides the marker.
        QTest::mouseDClick(login.findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton);
        login.Confirm();
        login.close();
        const IniFile saved = f.savedConfig();
        EXPECT_EQ(saved.readString("Systemset", "kk"), remember ? "47318" : "");
        EXPECT_EQ(saved.readBool("Systemset", "AutoPassWordChecked", !remember), remember);
        EXPECT_FALSE(saved.readBool("SofwareMessage", "bUser", true));
    }
}

}  // namespace
}  // namespace tevra
