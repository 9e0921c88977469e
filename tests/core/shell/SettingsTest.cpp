#include <gtest/gtest.h>

#include "ShellTestMain.h"
#include "TestSupport.h"
#include "ini/IniFile.h"
#include "shell/AppContext.h"
#include "shell/LoginLogic.h"
#include "shell/Options.h"
#include "shell/PollingScheduler.h"
#include "shell/SerialTimeoutSettings.h"

namespace tevra {
namespace {

IniFile iniFrom(const char* text) {
    return IniFile::fromBytes(QByteArray(text));
}

TEST(Timer2Interval, RoundsHalvesToTheEvenNeighbour) {
    const std::pair<int, int> cases[] = {{16, 62},  {3, 333}, {1000, 1}, {1, 1000},
                                         {10, 100}, {80, 12}, {400, 2},  {6, 167}};
    for (auto [f, ms] : cases) {
        EXPECT_EQ(options::Timer2IntervalFor(f), ms) << "frequency " << f;
    }
}

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::coreApp();
        ctx.link = std::make_unique<DriveLink>(std::make_unique<test::ClosedPort>());
        scheduler = std::make_unique<PollingScheduler>(ctx);
        ctx.scheduler = scheduler.get();
    }
    AppContext ctx;
    std::unique_ptr<PollingScheduler> scheduler;
};

TEST_F(OptionsTest, LoadTakesDefaultsForMissingOrBadValues) {
    struct Case {
        const char* ini;
        std::optional<bool> automatic;
        int frequency;
        int commErrMax;
        int waveCommErrMax;
        int scanTime;
    };
    const Case cases[] = {
        {"", false, 10, 10, 100, 4},
        {"[frmOptions]\r\nDataAdaptMode=0\r\nedtCalcimineFrqncy=16\r\nedtCommErrMax= 3 \r\n"
         "edtWaveCommErrMax=50\r\nedtScanTime=0\r\n",
         true, 16, 3, 50, 0},
        // A refresh frequency outside 1..1000 stored by hand falls back to 10; limits
        // that are not integers take their defaults; another mode changes nothing.
        {"[frmOptions]\r\nDataAdaptMode=2\r\nedtCalcimineFrqncy=0\r\nedtCommErrMax=abc\r\n"
         "edtWaveCommErrMax=1e3\r\nedtScanTime=x\r\n",
         std::nullopt, 10, 10, 100, 4},
        {"[FRMOPTIONS]\r\nedtCalcimineFrqncy=1001\r\n", false, 10, 10, 100, 4},
    };
    for (const Case& c : cases) {
        const options::Values v = options::Load(iniFrom(c.ini));
        EXPECT_EQ(v.dataTypeAutomatic, c.automatic) << c.ini;
        EXPECT_EQ(v.refreshFrequency, c.frequency) << c.ini;
        options::Apply(v, ctx);
        EXPECT_EQ(ctx.link->commErrMax.load(), c.commErrMax) << c.ini;
        EXPECT_EQ(ctx.link->waveCommErrMax.load(), c.waveCommErrMax) << c.ini;
        EXPECT_EQ(scheduler->ScanTime, c.scanTime) << c.ini;
        EXPECT_EQ(ctx.options.Timer2Interval, options::Timer2IntervalFor(c.frequency));
    }
}

TEST_F(OptionsTest, ConfirmWritesAndAppliesInOrder) {
    test::ScratchDir dir;
    IniFile config(dir.file(QStringLiteral("Config.ini")));
    int sourceChanges = 0;
    options::Input in{true,
                      false,
                      QStringLiteral(" 16 "),
                      QStringLiteral("abc"),
                      QStringLiteral(" 200 "),
                      QStringLiteral(" 2")};
    ASSERT_EQ(options::Confirm(in, config, ctx, [&] { ++sourceChanges; }),
              options::ConfirmResult::Saved);
    EXPECT_EQ(sourceChanges, 1);
    EXPECT_EQ(ctx.options.Timer2Interval, 62);
    EXPECT_EQ(ctx.link->commErrMax.load(), 10);  // "abc" saved, default applied
    EXPECT_EQ(ctx.link->waveCommErrMax.load(), 200);
    EXPECT_EQ(scheduler->ScanTime, 2);
    const IniFile saved(dir.file(QStringLiteral("Config.ini")));
    EXPECT_EQ(saved.readString("frmOptions", "DataAdaptMode"), "0");
    EXPECT_EQ(saved.readString("frmOptions", "edtCalcimineFrqncy"), "16");
    EXPECT_EQ(saved.readString("frmOptions", "edtCommErrMax"), "abc");
    // The wave limit and scan time are stored as typed (values are trimmed when read).
    const QByteArray bytes = dir.read(QStringLiteral("Config.ini"));
    EXPECT_TRUE(bytes.contains("edtWaveCommErrMax= 200 \r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("edtScanTime= 2\r\n")) << bytes.constData();
}

TEST_F(OptionsTest, OutOfRangeFrequencySavesOnlyTheMode) {
    for (const char* f : {"0", "1001"}) {
        test::ScratchDir dir;
        IniFile config(dir.file(QStringLiteral("Config.ini")));
        ctx.link->commErrMax = 7;
        options::Input in{false,
                          true,
                          QString::fromLatin1(f),
                          QStringLiteral("99"),
                          QStringLiteral("99"),
                          QStringLiteral("9")};
        EXPECT_EQ(options::Confirm(in, config, ctx, nullptr),
                  options::ConfirmResult::FrequencyOutOfRange);
        const IniFile saved(dir.file(QStringLiteral("Config.ini")));
        EXPECT_EQ(saved.readString("frmOptions", "DataAdaptMode"), "1");
        EXPECT_FALSE(saved.hasKey("frmOptions", "edtCalcimineFrqncy"));
        EXPECT_FALSE(saved.hasKey("frmOptions", "edtCommErrMax"));
        EXPECT_EQ(ctx.link->commErrMax.load(), 7);
    }
}

TEST(SerialTimeouts, LoadApplyAndConfirm) {
    test::ClosedPort port;
    IniFile config =
        iniFrom("[TimesOut1]\r\nedtReadInterval1= 5 \r\nedtWriteTotalMultiplier1=7\r\n");
    const serial_timeouts::Texts texts = serial_timeouts::Load(config);
    EXPECT_EQ(texts[0], "5");
    EXPECT_EQ(texts[1], "20");
    EXPECT_TRUE(serial_timeouts::Apply(texts, port));
    EXPECT_EQ(port.timeouts().readInterval, 5);
    EXPECT_EQ(port.timeouts().readTotalConstant, 20);
    EXPECT_EQ(port.timeouts().writeTotalMultiplier, 7);

    test::ScratchDir dir;
    IniFile file(dir.file(QStringLiteral("Config.ini")));
    serial_timeouts::Texts edits = {QStringLiteral("30"), QStringLiteral("31"),
                                    QStringLiteral("32"), QStringLiteral("33"),
                                    QStringLiteral(" 34 ")};
    EXPECT_TRUE(serial_timeouts::Confirm(edits, file, port));
    EXPECT_EQ(port.timeouts().readTotalMultiplier, 32);
    EXPECT_EQ(IniFile(dir.file(QStringLiteral("Config.ini")))
                  .readString("TimesOut1", "edtWriteTotalMultiplier1"),
              "34");
    // A text that is not a number is saved but not applied, and the check fails.
    edits[0] = QStringLiteral("x");
    EXPECT_FALSE(serial_timeouts::Confirm(edits, file, port));
    EXPECT_EQ(port.timeouts().readInterval, 30);
    // "020" is applied as 20 but does not read back as the same text.
    edits[0] = QStringLiteral("020");
    EXPECT_FALSE(serial_timeouts::Confirm(edits, file, port));
}

TEST(Login, SettingsAndPasswords) {
    const login::Settings defaults = login::LoadSettings(IniFile());
    EXPECT_TRUE(defaults.AutoPassWordChecked);
    EXPECT_TRUE(defaults.kk.isEmpty());
    EXPECT_TRUE(defaults.bUser);

    const login::Settings s = login::LoadSettings(iniFrom(
        "[SystemSet]\r\nautopasswordchecked=0\r\nKK= 47318 \r\n[SofwareMessage]\r\nbUser=0\r\n"));
    EXPECT_FALSE(s.AutoPassWordChecked);
    EXPECT_EQ(s.kk, "47318");
    EXPECT_FALSE(s.bUser);

    EXPECT_TRUE(login::IsAdministratorPassword(QStringLiteral(" 47318 ")));
    EXPECT_FALSE(login::IsAdministratorPassword(QStringLiteral("4731")));
    EXPECT_TRUE(login::IsDeveloperToolPassword(QStringLiteral("91536047")));
    EXPECT_FALSE(login::IsDeveloperToolPassword(QStringLiteral("47318")));
    EXPECT_EQ(login::DeveloperToolPasswordHint(), QStringLiteral(u"密码提示：91..."));

    for (bool remember : {true, false}) {
        test::ScratchDir dir;
        IniFile config(dir.file(QStringLiteral("Config.ini")));
        login::SaveSettings(config, remember, QStringLiteral("47318"), true);
        const QByteArray bytes = dir.read(QStringLiteral("Config.ini"));
        EXPECT_TRUE(bytes.contains(remember ? "kk=47318\r\n" : "kk=\r\n")) << bytes.constData();
        EXPECT_TRUE(
            bytes.contains(remember ? "AutoPassWordChecked=1\r\n" : "AutoPassWordChecked=0\r\n"));
        EXPECT_TRUE(bytes.contains("[SofwareMessage]\r\nbUser=1\r\n"));
    }
}

TEST(Login, AutoConfirmFiresOnThe41stTickUntilReady) {
    login::AutoConfirm a;
    for (int i = 1; i <= 40; ++i) {
        ASSERT_EQ(a.tick(false), login::AutoConfirm::Action::None) << i;
    }
    EXPECT_EQ(a.tick(false), login::AutoConfirm::Action::Confirm);
    EXPECT_EQ(a.tick(false), login::AutoConfirm::Action::Confirm);
    EXPECT_EQ(a.tick(true), login::AutoConfirm::Action::StopTimer);

    login::AutoConfirm f6;
    for (int i = 1; i <= 10; ++i) {
        f6.tick(false);
    }
    f6.f6Pressed();
    EXPECT_EQ(f6.tick(false), login::AutoConfirm::Action::StopTimer);
}

}  // namespace
}  // namespace tevra
