#include <gtest/gtest.h>

#include "TestSupport.h"
#include "ini/IniFile.h"
#include "text/Gbk.h"

using namespace tevra;

namespace {
const QByteArray kSample =
    "; settings\r\n"
    "[Systemset]\r\n"
    "kk = 47318 \r\n"
    "Wve1_1Idx=3\r\n"
    "wve1_1idx=9\r\n"
    "Name=\"quoted\"\r\n"
    "\r\n"
    "[SystemSet]\r\n"
    "Other=1\r\n"
    "[frmOptions]\n"
    "edtCommErrMax=abc\n";
}

TEST(IniFile, ReadsByWindowsProfileRules) {
    IniFile ini = IniFile::fromBytes(kSample);
    // Names compared without case; the first section and the first key win.
    EXPECT_EQ(ini.readString("SYSTEMSET", "KK"), QStringLiteral("47318"));
    EXPECT_EQ(ini.readInt("systemset", "Wve1_1Idx", 0), 3);
    EXPECT_FALSE(ini.hasKey("Systemset", "Other"));
    // Values are neither unquoted nor unescaped.
    EXPECT_EQ(ini.readString("Systemset", "Name"), QStringLiteral("\"quoted\""));
    EXPECT_EQ(ini.readInt("frmOptions", "edtCommErrMax", 10), 10);
    EXPECT_EQ(ini.readString("missing", "key", "dflt"), QStringLiteral("dflt"));
    EXPECT_EQ(ini.keys("systemset"), (QStringList{"kk", "Wve1_1Idx", "Name"}));
}

TEST(IniFile, WritingAKeyKeepsEveryOtherLineByteForByte) {
    IniFile ini = IniFile::fromBytes(kSample);
    ini.writeString("SYSTEMSET", "WVE1_1IDX", "5");
    ini.writeBool("Systemset", "AutoPassWordChecked", true);
    ini.writeString("ComSet", "Port", "/dev/ttyUSB0");
    const QByteArray expected =
        "; settings\r\n"
        "[Systemset]\r\n"
        "kk = 47318 \r\n"
        "WVE1_1IDX=5\r\n"
        "wve1_1idx=9\r\n"
        "Name=\"quoted\"\r\n"
        "AutoPassWordChecked=1\r\n"
        "\r\n"
        "[SystemSet]\r\n"
        "Other=1\r\n"
        "[frmOptions]\r\n"
        "edtCommErrMax=abc\r\n"
        "[ComSet]\r\n"
        "Port=/dev/ttyUSB0\r\n";
    EXPECT_EQ(ini.toBytes(), expected);
    // Read back under the same rules.
    IniFile again = IniFile::fromBytes(ini.toBytes());
    EXPECT_EQ(again.readInt("systemset", "wve1_1idx", 0), 5);
    EXPECT_TRUE(again.readBool("SystemSet", "autopasswordchecked", false));
}

TEST(IniFile, GbkValuesAndAtomicSave) {
    test::ScratchDir dir;
    const QString path = dir.file("Config.ini");
    dir.write("Config.ini", toGbk(QStringLiteral("[DriverType]\r\n0=演示型 A\r\n")));
    IniFile ini(path);
    ASSERT_TRUE(ini.exists());
    EXPECT_EQ(ini.readString("drivertype", "0"), QStringLiteral("演示型 A"));
    ini.writeString("Default", "SelectModel", QStringLiteral("演示型 B"));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.read("Config.ini"),
              toGbk(QStringLiteral(
                  "[DriverType]\r\n0=演示型 A\r\n[Default]\r\nSelectModel=演示型 B\r\n")));
    EXPECT_FALSE(IniFile(dir.file("none.ini")).exists());
}
