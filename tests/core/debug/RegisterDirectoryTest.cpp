#include <gtest/gtest.h>

#include <QDir>

#include "TestSupport.h"
#include "debug/RegisterDefinitionFile.h"
#include "debug/RegisterDirectory.h"
#include "debug/SearchHistory.h"
#include "shell/ProgramFolders.h"
#include "text/Gbk.h"
#include "text/TextFile.h"

namespace tevra {
namespace {

using test::RecordingDialogs;
using test::ScratchDir;

TEST(RegisterDefinitionFileTest, Grammar) {
    const QStringList lines = {
        "#define FIRST *never examined*) 0x0001)",
        "#define AdcResult0 *ADC result 0*) 0x0B00)",
        "   #define Indented *skipped: the blank is one of the first seven*) 0x0002)",
        "// a comment line",
        "#DEFINE  PieCtrl  *upper case keyword*)  0x0CE0 )",
        "#define NoStar 0x0003)",
        "#define NoComment *open comment 0x0004)",
        "#define NoParen *c*) 0x0005",
        "#defineTight*c*)0x0006)",
    };
    QVector<RegisterRow> rows = parseRegisterDefinitions(lines);
    struct Expected {
        const char* address;
        const char* name;
    } expected[] = {
        {"0x0B00", "AdcResult0"},
        {"0x0CE0", "PieCtrl"},
        {"NoStar 0x0003", ""},  // partial texts; the row is still listed
        {"open comment 0x0004", "NoComment"},
        {"", "NoParen"},
        {"0x0006", "ight"},  // the character after "#define" is always dropped
    };
    ASSERT_EQ(rows.size(), int(std::size(expected)));
    for (int i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].Address, QString::fromUtf8(expected[i].address));
        EXPECT_EQ(rows[i].Name, QString::fromUtf8(expected[i].name));
        EXPECT_EQ(rows[i].TypeName, QStringLiteral("Uint16"));
    }
}

TEST(RegisterDefinitionFileTest, EndMarkerAndLineLimit) {
    QStringList lines = {"header",
                         "#define A *a*) 0x0001)",
                         "#define B *b*) 0x0002)",
                         "#define C *c*) 0x0003)",
                         "==== =End of define== ====",
                         "#define D *d*) 0x0004)"};
    EXPECT_EQ(parseRegisterDefinitions(lines).size(), 3);

    QStringList many = {"header"};
    for (int i = 0; i < 2100; ++i) {
        many << QStringLiteral("#define R%1 *r*) 0x%2)").arg(i).arg(i, 4, 16, QChar(u'0'));
    }
    QVector<RegisterRow> rows = parseRegisterDefinitions(many);
    ASSERT_EQ(rows.size(), 2000);
    EXPECT_EQ(rows.last().Name, QStringLiteral("R1999"));
}

TEST(RegisterDirectoryTest, AddressTexts) {
    EXPECT_EQ(registerAddressText(0x1A), QStringLiteral("0x001A"));
    EXPECT_EQ(registerAddressText(0xBEEF), QStringLiteral("0xBEEF"));
    EXPECT_EQ(registerAddressText(0x12345), QStringLiteral("0x12345"));
    EXPECT_EQ(parseRegisterAddress(u" 0x0b00 "), std::optional<uint16_t>(0x0B00));
    EXPECT_EQ(parseRegisterAddress(u"0xFFFF"), std::optional<uint16_t>(0xFFFF));
    for (const char16_t* bad : {u"", u"0x", u"0xG1", u"0x10000", u"0x-1"}) {
        EXPECT_FALSE(parseRegisterAddress(QStringView(bad)))
            << QString::fromUtf16(bad).toStdString();
    }
}

class DirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folders = ProgramFolders(scratch.path(), scratch.path());
        directory.setRegisters({{0x0010, QStringLiteral("iMotoSpRpm"), 0},
                                {0x0120, QStringLiteral("AdcPhaseU"), 69},
                                {0x0200, QStringLiteral("wStatus"), 1}});
    }
    void writeDefinitions(const QStringList& lines) {
        QDir(scratch.path()).mkpath(QStringLiteral("Source"));
        ASSERT_TRUE(writeTextLines(scratch.file(QStringLiteral("Source/reg28xx.mit")), lines));
    }
    QStringList names() const {
        QStringList result;
        for (const RegisterRow& r : directory.rows()) {
            result << r.Name;
        }
        return result;
    }

    ScratchDir scratch;
    ProgramFolders folders;
    RegisterDirectory directory;
    RecordingDialogs dialogs;
};

TEST_F(DirectoryTest, RamRowsShowAddressNameAndType) {
    ASSERT_EQ(directory.count(), 3);
    EXPECT_EQ(directory.row(1).Address, QStringLiteral("0x0120"));
    EXPECT_EQ(directory.row(1).Name, QStringLiteral("AdcPhaseU"));
    EXPECT_EQ(directory.row(1).TypeName, QStringLiteral("Float32"));
    EXPECT_EQ(directory.mode(), RegisterDirectory::Mode::Ram);
    EXPECT_EQ(directory.modeButtonText(), QStringLiteral("启动DSP监控 &M"));
    EXPECT_EQ(directory.indexOfName(u"WSTATUS"), 2);
    EXPECT_EQ(directory.addressOf(2), std::optional<uint16_t>(0x0200));
}

TEST_F(DirectoryTest, DspModeAppendsTheFileAndRamModeCutsBack) {
    writeDefinitions({"/* register file */", "#define AdcResult0 *ADC*) 0x0B00)",
                      "#define GpioData *GPIO*) 0x6FC0)"});
    ASSERT_TRUE(directory.toggleMode(folders, dialogs));
    EXPECT_EQ(directory.mode(), RegisterDirectory::Mode::Dsp);
    EXPECT_EQ(directory.modeButtonText(), QStringLiteral("启动RAM监控 &M"));
    EXPECT_EQ(names(),
              (QStringList{"iMotoSpRpm", "AdcPhaseU", "wStatus", "AdcResult0", "GpioData"}));
    EXPECT_EQ(directory.addressOf(4), std::optional<uint16_t>(0x6FC0));

    ASSERT_TRUE(directory.toggleMode(folders, dialogs));
    EXPECT_EQ(names(), (QStringList{"iMotoSpRpm", "AdcPhaseU", "wStatus"}));

    // Toggled on again, the file's rows come once more after the model's.
    directory.toggleMode(folders, dialogs);
    EXPECT_EQ(directory.count(), 5);
    EXPECT_TRUE(dialogs.entries.empty());
}

TEST_F(DirectoryTest, MissingFileKeepsRamMode) {
    EXPECT_FALSE(directory.toggleMode(folders, dialogs));
    EXPECT_EQ(directory.mode(), RegisterDirectory::Mode::Ram);
    EXPECT_EQ(directory.count(), 3);
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_TRUE(dialogs.entries[0].text.startsWith(QStringLiteral("未检测到DSP文件")));
    EXPECT_EQ(dialogs.entries[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.entries[0].icon, MessageIcon::Error);
}

TEST_F(DirectoryTest, SearchWrapsRoundAndRemembersTexts) {
    directory.setRegisters({{1, QStringLiteral("AdcA"), 0},
                            {2, QStringLiteral("Speed"), 0},
                            {3, QStringLiteral("xADCb"), 0},
                            {4, QStringLiteral("Torque"), 0}});
    SearchHistory history = SearchHistory::forProgram(folders);
    EXPECT_TRUE(history.entries().isEmpty());  // no file yet

    int row = searchRegister(directory, QStringLiteral(" adc "), 0, history, dialogs);
    EXPECT_EQ(row, 2);
    row = searchRegister(directory, QStringLiteral("adc"), row, history, dialogs);
    EXPECT_EQ(row, 0);  // wrapped
    row = searchRegister(directory, QStringLiteral("ADC"), row, history, dialogs);
    EXPECT_EQ(row, 2);
    EXPECT_TRUE(dialogs.entries.empty());

    EXPECT_EQ(searchRegister(directory, QStringLiteral("volt"), row, history, dialogs), -1);
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].text, QStringLiteral("对不起，没找到匹配字符！"));
    EXPECT_EQ(dialogs.entries[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(searchRegister(directory, QStringLiteral("  "), row, history, dialogs), -1);

    // Stored once each, with the case of the first entry; the empty text is not stored.
    EXPECT_EQ(history.entries(), (QStringList{"adc", "volt"}));
    EXPECT_EQ(scratch.read(QStringLiteral("Query/Debug.dat")), QByteArray("adc\r\nvolt\r\n"));
}

TEST_F(DirectoryTest, HistoryEntriesAreTrimmedAndDeletable) {
    QDir(scratch.path()).mkpath(QStringLiteral("Query"));
    scratch.write(QStringLiteral("Query/Debug.dat"),
                  toGbk(QStringLiteral(" 速度 \r\nadc\r\nPie\r\n")));
    SearchHistory history = SearchHistory::forProgram(folders);
    QStringList entries = history.entries();
    EXPECT_EQ(entries, (QStringList{"速度", "adc", "Pie"}));
    EXPECT_TRUE(history.remember(QStringLiteral("速度")));
    EXPECT_EQ(history.entries().size(), 3);

    ASSERT_TRUE(history.removeEntry(entries, 1));
    EXPECT_EQ(entries, (QStringList{"速度", "Pie"}));
    EXPECT_EQ(history.entries(), entries);
}

}  // namespace
}  // namespace tevra
