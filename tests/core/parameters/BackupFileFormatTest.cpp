#include <gtest/gtest.h>

#include "TestSupport.h"
#include "ini/IniFile.h"
#include "parameters/BackupFile.h"
#include "text/Gbk.h"

namespace tevra {
namespace {

DriveIdentityTexts Identity() {
    DriveIdentityTexts id;
    id.ModelName = QStringLiteral(" TVD-A04 ");
    id.DriTypeLab = QStringLiteral("TVD-A04");
    id.SoftVerLab = QStringLiteral("V1.06");
    id.DriUseIDLab = QStringLiteral("GENERAL");
    id.SoftNoteLab = QStringLiteral("TVDA-DSP-0106");
    id.SoftDateLab = QStringLiteral("TVDA04-2403");
    return id;
}

TEST(BackupFileFormat, HeaderAndValuesAreWrittenInFileOrderAsGbkWithCrLf) {
    const BackupHeader header =
        MakeBackupHeader(Identity(), QStringLiteral("2026-12-11 14:03:07"),
                         {QStringLiteral(u"一号机"), QStringLiteral("line 2")}, QString());
    QStringList lines = BackupHeaderLines(header);
    lines.append(BackupValueLine(0x00, 4));
    lines.append(BackupValueLine(0x0A, 65535));
    lines.append(BackupValueLine(0x1FF, 0));

    const QByteArray expected = QByteArray(
                                    "[ParaNote]\r\n"
                                    "DriType=TVD-A04\r\n"
                                    "DateTime=2026-12-11 14:03:07\r\n"
                                    "ParaNote=%") +
                                toGbk(QStringLiteral(u"一号机")) +
                                QByteArray(
                                    "%line 2%\r\n"
                                    "LineNum=2\r\n"
                                    "[BottomSoft]\r\n"
                                    "BottomSoftTy=TVD-A04\r\n"
                                    "BottomSoftVer=V1.06\r\n"
                                    "BottomSoftUseID=GENERAL\r\n"
                                    "BottomSoftNote=TVDA-DSP-0106\r\n"
                                    "BottomSoftDate=TVDA04-2403\r\n"
                                    "[ID]\r\n"
                                    "ParDrvID=\r\n"
                                    "HardType=TVD-A04\r\n"
                                    "ParaVer=V1.06\r\n"
                                    "ParaStrAdr=0000\r\n"
                                    "PraLen=511\r\n"
                                    "[PraVal]\r\n"
                                    "00=4\r\n"
                                    "0A=65535\r\n"
                                    "1FF=0\r\n");
    EXPECT_EQ(BackupFileBytes(lines), expected);
}

TEST(BackupFileFormat, NoteLinesSplitAtPercentMarks) {
    struct Case {
        QString value;
        int lineNum;
        QStringList lines;
    };
    const Case cases[] = {
        // Two lines as written: the lines and one empty line.
        {QStringLiteral("%a%b%"), 2, {"a", "b", ""}},
        {QStringLiteral("%"), 0, {""}},
        // A "%" inside a line splits it.
        {QStringLiteral("%a%x%b%"), 2, {"a", "x", "b"}},
        // Fewer pieces than LineNum: empty lines.
        {QStringLiteral("%a%"), 3, {"a", "", "", ""}},
        // No marks at all.
        {QStringLiteral("abc"), 1, {"", ""}},
        {QString(), -1, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitNoteLines(c.value, c.lineNum), c.lines) << c.value.toStdString();
    }
    EXPECT_EQ(JoinNoteLines({"a", "b"}), QStringLiteral("%a%b%"));
    EXPECT_EQ(JoinNoteLines({}), QStringLiteral("%"));
    // A damaged LineNum does not produce millions of lines.
    EXPECT_LE(SplitNoteLines(QStringLiteral("%a%"), 2000000000).size(), 101);
}

TEST(BackupFileFormat, ReaderDefaultsForMissingKeys) {
    const BackupFileInfo empty = ReadBackupFileInfo(IniFile::fromBytes(QByteArray()));
    EXPECT_EQ(empty.LineNum, 100);
    EXPECT_EQ(empty.ParaStrAdr, QStringLiteral("A5A5"));

    const IniFile file = IniFile::fromBytes(
        "[paranote]\r\nlinenum=1\r\nParaNote=%n%\r\n[id]\r\nHARDTYPE= tvd-a04 "
        "\r\nParaStrAdr=0000\r\n");
    const BackupFileInfo info = ReadBackupFileInfo(file);
    EXPECT_EQ(info.LineNum, 1);
    EXPECT_EQ(info.noteLines(), QStringList({"n", ""}));
    EXPECT_EQ(info.HardType, QStringLiteral("tvd-a04"));
    EXPECT_EQ(info.ParaStrAdr, QStringLiteral("0000"));
}

}  // namespace
}  // namespace tevra
