#include <gtest/gtest.h>

#include "ParameterTestSupport.h"
#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "parameters/DialogReadFailures.h"
#include "parameters/ParameterGridModel.h"
#include "parameters/ParameterReadEngine.h"

namespace tevra {
namespace {

class ReadAllParametersTest : public test::SimDriveTest {
  protected:
    void SetUp() override {
        test::SimDriveTest::SetUp();
        entries_ = {test::Entry(0x00, "Int16", "0"), test::Entry(0x01, "Uint16", "0"),
                    test::Entry(0x02, "Int32", "0"), test::Entry(0x04, "Uint32", "0"),
                    test::Entry(0x06, "IQ24", "0"),  test::Entry(0x07, "_IQ", "0"),
                    test::Entry(0x1A, "Uint16", "0")};
        entries_[5].TypeCode = 4;
        grid_.setDataRows({{"00", "a", "x"},
                           {"01", "b", "x"},
                           {"02", "c", "x"},
                           {"04", "d", "x"},
                           {"06", "e", "x"},
                           {"07", "f", "x"},
                           {"55", "no entry", "x"},
                           {" ", "empty", "x"},
                           {"1a", "g", "x"}});
        drive().setRam(0x00, 0xFFFF);
        drive().setRam(0x01, 0xFFFF);
        drive().setRam32(0x02, 0xFFFFFFFE);
        drive().setRam32(0x04, 0xFFFFFFFF);
        drive().setRam(0x1A, 26);
    }
    QStringList values() const {
        QStringList out;
        for (int r = 1; r < grid_.gridRowCount(); ++r) {
            out.append(grid_.cell(r, 2));
        }
        return out;
    }

    ParameterList entries_;
    ParameterGridModel grid_;
    test::RecordingDialogs dialogs_;
    DialogReadFailures failures_{dialogs_};
};

TEST_F(ReadAllParametersTest, FillsTheValueColumnByType) {
    test::RecordingProgress progress;
    ReadAllParameters(link(), grid_, entries_, failures_, &progress);
    EXPECT_EQ(values(), QStringList({"   -1", "   65535", "   -2", "   4294967295", "x", "x", "x",
                                     "x", "   26"}));
    EXPECT_TRUE(dialogs_.entries.empty());
    // 9 rows: a dot before rows 1 .. 9 (round(9 / 8) = 1), then the window closes.
    ASSERT_EQ(progress.texts.size(), 10u);
    EXPECT_EQ(progress.texts.front(), QStringLiteral(u"更新参数中.."));
    EXPECT_EQ(progress.texts.back(), QStringLiteral(u"更新参数中..") + QString(9, '.'));
    EXPECT_FALSE(progress.shown);
}

TEST_F(ReadAllParametersTest, ADeadLinkReportsEach16BitParameterAndKeepsTheValues) {
    drive().setStopAfterRequests(0);
    ReadAllParameters(link(), grid_, entries_, failures_, nullptr);
    EXPECT_EQ(values(), QStringList({"x", "x", "x", "x", "x", "x", "x", "x", "x"}));
    ASSERT_EQ(dialogs_.entries.size(), 3u);
    EXPECT_EQ(dialogs_.entries[0].text, QStringLiteral(u"读取参数失败，参数号: 00"));
    EXPECT_EQ(dialogs_.entries[1].text, QStringLiteral(u"读取参数失败，参数号: 01"));
    EXPECT_EQ(dialogs_.entries[2].text, QStringLiteral(u"读取参数失败，参数号: 1A"));
    EXPECT_EQ(dialogs_.entries[2].caption, QStringLiteral(u"错误"));
}

TEST_F(ReadAllParametersTest, ShortGridsShowNoDots) {
    grid_.setGridRowCount(4);
    test::RecordingProgress progress;
    ReadAllParameters(link(), grid_, entries_, failures_, &progress);
    EXPECT_EQ(progress.texts.size(), 1u);
}

}  // namespace
}  // namespace tevra
