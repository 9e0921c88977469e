#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "ParameterTestSupport.h"
#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "parameters/ParameterImport.h"
#include "shell/ProgramFolders.h"
#include "shell/TipMessages.h"
#include "text/Gbk.h"
#include "text/TextFile.h"

namespace tevra {
namespace {

constexpr int kWriteEeprom = 0x1B, kReadEeprom = 0x1A;

class ImportParameterValuesTest : public test::SimDriveTest {
  protected:
    void SetUp() override {
        test::SimDriveTest::SetUp();
        folders_ = ProgramFolders(dir_.path(), dir_.path());
    }

    // A backup file whose [PraVal] holds value(P) for P = 0 .. last.
    QString backup(uint32_t last, const std::function<QString(uint32_t)>& value) {
        QByteArray bytes = "[ParaNote]\r\nLineNum=0\r\n[PraVal]\r\n";
        for (uint32_t p = 0; p <= last; ++p) {
            bytes += QString::number(p, 16).toUpper().rightJustified(2, '0').toLatin1() + "=" +
                     value(p).toLatin1() + "\r\n";
        }
        dir_.write("backup.dpm", bytes);
        return dir_.file("backup.dpm");
    }

    bool import(const QString& file, uint32_t last, const TNoImportPr& barred = {}) {
        return ImportParameterValues(link(), file, last, barred, folders_, dialogs_, progress_, [] {
            return QDateTime({2015, 3, 9}, {14, 5, 31});
        });
    }

    QStringList log() const {
        return readTextLines(dir_.file("Log/LoadPara.log")).value_or(QStringList());
    }

    test::ScratchDir dir_;
    ProgramFolders folders_;
    test::RecordingDialogs dialogs_;
    test::RecordingProgress progress_;
};

const QString kHeader = QStringLiteral(
    u"//////////////////////////2015-03-09 14:05:31  导入参数//////////////////////////");

TEST_F(ImportParameterValuesTest, WritesAndVerifiesAllThreeImagesAndLogsTheBlock) {
    const QString file = backup(0x14, [](uint32_t p) { return QString::number(1000 + p); });
    TNoImportPr barred;
    barred.Numbers = {0x12};
    barred.Count = 1;
    EXPECT_TRUE(import(file, 0x14, barred));
    for (uint16_t p = 0; p <= 0x14; ++p) {
        for (int image = 0; image < 3; ++image) {
            EXPECT_EQ(drive().parameterImage(image, p), p == 0x12 ? 0xFFFFu : 1000u + p)
                << p << " " << image;
        }
    }
    // No frame for the barred parameter.
    for (const test::Request& r : test::NativeRequests(drive())) {
        EXPECT_NE(r.address % 0x400, 0x24u) << r.command;
    }
    EXPECT_EQ(test::RequestsOf(drive(), kWriteEeprom).size(), 3u * 0x14);
    EXPECT_EQ(test::RequestsOf(drive(), kReadEeprom).size(), 3u * 0x14);
    EXPECT_TRUE(dialogs_.entries.empty());
    EXPECT_EQ(log(), QStringList({kHeader, QStringLiteral(u"参数文件：") + file,
                                  QStringLiteral(u"导入长度：14"), QStringLiteral(u"Pr12，未导入"),
                                  QStringLiteral(u"参数导入成功。")}));
    EXPECT_EQ(progress_.texts.front(), QStringLiteral(u"导入备份参数..."));
    EXPECT_EQ(progress_.barMaximum, 0x14);
    EXPECT_FALSE(progress_.shown);

    // A second import appends its block after an empty line.
    EXPECT_TRUE(import(file, 0x01));
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 5 + 1 + 4);
    EXPECT_EQ(lines[5], QString());
    EXPECT_EQ(lines[6], kHeader);
    EXPECT_EQ(lines[8], QStringLiteral(u"导入长度：01"));
    // The log is GBK with CR LF.
    EXPECT_TRUE(dir_.read("Log/LoadPara.log").startsWith(toGbk(kHeader) + "\r\n"));
}

TEST_F(ImportParameterValuesTest, TheLogNamesTheFileWithItsFullPath) {
    const QString file = backup(0x00, [](uint32_t) { return QStringLiteral("3"); });
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    const bool ok = import(QStringLiteral("backup.dpm"), 0x00);
    QDir::setCurrent(previous);
    EXPECT_TRUE(ok);
    EXPECT_EQ(log().value(1), QStringLiteral(u"参数文件：") + QFileInfo(file).absoluteFilePath());
}

TEST_F(ImportParameterValuesTest, StopsAtTheFirstMissingValue) {
    const QString file = backup(0x0F, [](uint32_t p) { return QString::number(p); });
    EXPECT_FALSE(import(file, 0x14F));
    EXPECT_EQ(drive().parameterImage(2, 0x0F), 0x0Fu);
    EXPECT_EQ(test::RequestsOf(drive(), kWriteEeprom).size(), 3u * 0x10);
    const QString stop = QStringLiteral(u"参数值错误，导入失败，截止参数号：10。");
    EXPECT_EQ(log().back(), stop);
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(dialogs_.entries[0].text, stop);
    EXPECT_EQ(dialogs_.entries[0].caption, caption::error());
    EXPECT_EQ(dialogs_.entries[0].icon, MessageIcon::Error);
}

TEST_F(ImportParameterValuesTest, AValueThatIsNotAnIntegerStopsTheImport) {
    const QString file =
        backup(0x03, [](uint32_t p) { return p == 2 ? QStringLiteral("12a") : QString("5"); });
    EXPECT_FALSE(import(file, 0x03));
    EXPECT_EQ(log().back(), QStringLiteral(u"参数值错误，导入失败，截止参数号：02。"));
}

TEST_F(ImportParameterValuesTest, AFailingEepromWriteStopsWithMessage18) {
    const QString file = backup(0x08, [](uint32_t) { return QStringLiteral("7"); });
    // Pr 0..4 pass (three writes and three reads each), then the drive falls silent.
    drive().setStopAfterRequests(5 * 6 + 1);
    EXPECT_FALSE(import(file, 0x08));
    EXPECT_EQ(log().back(), QStringLiteral(u"写EEPROM出错，参数导入失败，截止参数号：05。"));
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(dialogs_.entries[0].text,
              QStringLiteral(u"产生通信错误，请检查通信设置无误后再试，参数号: 05！"));
    EXPECT_EQ(dialogs_.entries[0].caption, caption::error());
    // The second image of Pr 5 was not written after the first failed.
    EXPECT_EQ(drive().parameterImage(1, 5), 0xFFFFu);
}

TEST_F(ImportParameterValuesTest, TheDrivesBusyValueOnReadBackFailsVerification) {
    const QString file = backup(0x02, [](uint32_t) { return QStringLiteral("7"); });
    // Both attempts of the first read-back get the busy value 0x789A instead of 7.
    drive().addFault({sim::FaultKind::BusyReply, kReadEeprom, 2, 0});
    EXPECT_FALSE(import(file, 0x02));
    EXPECT_EQ(log().back(), QStringLiteral(u"参数校验出错，导入失败，截止参数号：00。"));
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(dialogs_.entries[0].text, TipMessages()[34]);
    EXPECT_EQ(dialogs_.entries[0].caption, caption::error());
    // The other two images were read all the same (two attempts for the first).
    const std::vector<test::Request> reads = test::RequestsOf(drive(), kReadEeprom);
    ASSERT_EQ(reads.size(), 4u);
    EXPECT_EQ(reads[2].address, 0x1400u);
    EXPECT_EQ(reads[3].address, 0x1800u);
}

TEST_F(ImportParameterValuesTest, AReadBackThatFailsIsNeverCountedAsVerified) {
    // Value 0: an unread value would look equal.
    const QString file = backup(0x01, [](uint32_t) { return QStringLiteral("0"); });
    drive().addFault({sim::FaultKind::NoReply, kReadEeprom, sim::kForever, 0});
    EXPECT_FALSE(import(file, 0x01));
    EXPECT_EQ(log().back(), QStringLiteral(u"参数校验出错，导入失败，截止参数号：00。"));
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(dialogs_.entries[0].text, TipMessages()[34]);
}

}  // namespace
}  // namespace tevra
