#include <gtest/gtest.h>

#include <QDir>

#include "ParameterTestSupport.h"
#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "ini/IniFile.h"
#include "parameters/DialogReadFailures.h"
#include "parameters/ParameterFiles.h"
#include "parameters/ParameterGridModel.h"
#include "shell/ProgramFolders.h"
#include "shell/TipMessages.h"
#include "text/Gbk.h"

namespace tevra {
namespace {

constexpr int kReadWord = 0x10, kWriteEeprom = 0x1B;

DriveIdentityTexts Identity() {
    DriveIdentityTexts id;
    id.ModelName = QStringLiteral("TVD-A04");
    id.DriTypeLab = QStringLiteral("TVD-A04");
    id.SoftVerLab = QStringLiteral("V1.06");
    id.DriUseIDLab = QStringLiteral("GENERAL");
    id.SoftNoteLab = QStringLiteral(u"TVDA-DSPα0106");
    id.SoftDateLab = QStringLiteral("TVDA04-2403");
    return id;
}

class ParameterFilesTest : public test::SimDriveTest {
  protected:
    void SetUp() override {
        test::SimDriveTest::SetUp();
        folders_ = ProgramFolders(dir_.path(), dir_.path());
        for (uint32_t p = 0; p < 0x400; ++p) {
            drive().setRam(p, static_cast<uint16_t>(p * 7 + 1));
        }
    }

    ParameterFileContext context() {
        return ParameterFileContext{
            link(),    dialogs_, failures_,
            progress_, folders_, [] { return QDateTime({2026, 12, 11}, {14, 3, 7}); }};
    }

    bool backup(const QString& file, std::optional<QStringList> note = QStringList{"a", "b"}) {
        ParameterFileContext ctx = context();
        return BackupParameters(ctx, file, Identity(), QStringLiteral("TVD-A02"),
                                [&](const QString& prompt) {
                                    prompts_.push_back(prompt);
                                    return note;
                                });
    }

    test::ScratchDir dir_;
    ProgramFolders folders_;
    test::RecordingDialogs dialogs_;
    DialogReadFailures failures_{dialogs_};
    test::RecordingProgress progress_;
    std::vector<QString> prompts_;
};

TEST_F(ParameterFilesTest, BackupWritesTheDrivesRamValuesInFileOrder) {
    const QString file = dir_.file("drive.dpm");
    ASSERT_TRUE(backup(file, QStringList{QStringLiteral(u"第一行"), "second"}));
    QByteArray expected =
        toGbk(QStringLiteral(u"[ParaNote]\r\n"
                             "DriType=TVD-A04\r\n"
                             "DateTime=2026-12-11 14:03:07\r\n"
                             "ParaNote=%第一行%second%\r\n"
                             "LineNum=2\r\n"
                             "[BottomSoft]\r\n"
                             "BottomSoftTy=TVD-A04\r\n"
                             "BottomSoftVer=V1.06\r\n"
                             "BottomSoftUseID=GENERAL\r\n"
                             "BottomSoftNote=TVDA-DSPα0106\r\n"
                             "BottomSoftDate=TVDA04-2403\r\n"
                             "[ID]\r\n"
                             "ParDrvID=TVD-A02\r\n"
                             "HardType=TVD-A04\r\n"
                             "ParaVer=V1.06\r\n"
                             "ParaStrAdr=0000\r\n"
                             "PraLen=511\r\n"
                             "[PraVal]\r\n"));
    for (uint32_t p = 0; p <= 511; ++p) {
        expected += QByteArray::number(p, 16).toUpper().rightJustified(2, '0') + "=" +
                    QByteArray::number(static_cast<uint16_t>(p * 7 + 1)) + "\r\n";
    }
    EXPECT_EQ(dir_.read("drive.dpm"), expected);
    EXPECT_EQ(prompts_, std::vector<QString>{QStringLiteral(u"在此输入参数备注")});
    EXPECT_EQ(test::RequestsOf(drive(), kReadWord).size(), 512u);
    EXPECT_EQ(progress_.texts.front(), QStringLiteral(u"参数备份..."));
    EXPECT_EQ(progress_.barMaximum, 511);
    EXPECT_EQ(progress_.steps, 512);
    EXPECT_FALSE(progress_.shown);
    EXPECT_TRUE(dialogs_.entries.empty());

    // Read back: two note lines and one empty line.
    const BackupFileInfo info = ReadBackupFileInfo(IniFile(file));
    EXPECT_EQ(info.noteLines(), QStringList({QStringLiteral(u"第一行"), "second", ""}));
}

TEST_F(ParameterFilesTest, ABackupThatStopsLeavesTheChosenFileAsItWas) {
    dir_.write("old.dpm", "an older backup");
    // Pr 0 .. 0x7F are answered, then the drive falls silent.
    drive().setStopAfterRequests(0x80);
    EXPECT_FALSE(backup(dir_.file("old.dpm")));
    EXPECT_FALSE(backup(dir_.file("new.dpm")));
    EXPECT_EQ(dir_.read("old.dpm"), QByteArray("an older backup"));
    EXPECT_FALSE(QFile::exists(dir_.file("new.dpm")));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"old.dpm"}));
    // Per backup: the failed read and its retry after 10 ms each report, then the stop.
    ASSERT_EQ(dialogs_.entries.size(), 6u);
    EXPECT_EQ(dialogs_.entries[0].text, QStringLiteral(u"读取参数失败，参数号: 80"));
    EXPECT_EQ(dialogs_.entries[1].text, QStringLiteral(u"读取参数失败，参数号: 80"));
    EXPECT_EQ(dialogs_.entries[2].text,
              QStringLiteral(u"通信出错！参数号: 80,参数备份失败！请稍候重试！"));
    EXPECT_EQ(dialogs_.entries[2].caption, caption::information());
    EXPECT_EQ(dialogs_.entries[2].icon, MessageIcon::Error);
    EXPECT_EQ(dialogs_.entries[3].text, QStringLiteral(u"读取参数失败，参数号: 00"));
}

TEST_F(ParameterFilesTest, AReadThatFailsOnceIsRetried) {
    drive().addFault({sim::FaultKind::NoReply, kReadWord, 1, 0});
    EXPECT_TRUE(backup(dir_.file("retry.dpm")));
    EXPECT_EQ(IniFile(dir_.file("retry.dpm")).readString("PraVal", "00"), QStringLiteral("1"));
    EXPECT_EQ(dialogs_.entries.size(), 1u);
}

TEST_F(ParameterFilesTest, ACancelledNoteOrAMissingLinkWritesNothing) {
    EXPECT_FALSE(backup(dir_.file("a.dpm"), std::nullopt));
    EXPECT_TRUE(test::NativeRequests(drive()).empty());
    EXPECT_TRUE(dialogs_.entries.empty());
    link().setConnected(false);
    EXPECT_FALSE(backup(dir_.file("a.dpm")));
    EXPECT_FALSE(QFile::exists(dir_.file("a.dpm")));
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(dialogs_.entries[0].text, TipMessages()[2]);
}

class ImportFileTest : public ParameterFilesTest {
  protected:
    // A backup of this drive, with the [ID] keys replaced.
    QString file(const QString& hardType, const std::optional<QString>& start,
                 const QString& version) {
        const QString name = dir_.file("import.dpm");
        EXPECT_TRUE(backup(name));
        IniFile ini(name);
        ini.writeString("ID", "HardType", hardType);
        ini.writeString("ID", "ParaVer", version);
        if (start) {
            ini.writeString("ID", "ParaStrAdr", *start);
        } else {
            ini.deleteKey("ID", "ParaStrAdr");
        }
        ini.save();
        dialogs_.entries.clear();
        drive().clearLog();
        return name;
    }

    bool import(const QString& name, uint32_t last = 0x0F) {
        ParameterFileContext ctx = context();
        return ImportParameterFile(ctx, name, last, {}, Identity(), confirmed_,
                                   [this](const NoteViewContent& c) {
                                       viewed_.push_back(c);
                                       return viewerAnswer_;
                                   });
    }

    ConfirmedFileIdentity confirmed_;
    std::vector<NoteViewContent> viewed_;
    bool viewerAnswer_ = true;
};

TEST_F(ImportFileTest, ChecksTheFileBeforeAnythingIsSent) {
    struct Case {
        const char* name;
        QString hardType;
        std::optional<QString> start;
        QString version;
        std::vector<bool> answers;
        bool imported;
        QString message;
    };
    const Case cases[] = {
        {"type differs only in case", "tvd-a04", "0000", "V1.06", {}, true, QString()},
        {"type differs",
         "TVD-A08",
         "0000",
         "V1.06",
         {},
         false,
         QStringLiteral(u"驱动器底层软件信息号不一致(当前驱动器信息号: TVD-A04，备份参数信息号: "
                        u"TVD-A08)，参数不能导入！")},
        {"no start address", "TVD-A04", std::nullopt, "V1.06", {}, false, TipMessages()[16]},
        {"start address not 0", "TVD-A04", "0010", "V1.06", {}, false, TipMessages()[16]},
        {"version differs, No",
         "TVD-A04",
         "0000",
         "V1.07",
         {false},
         false,
         QStringLiteral(u"参数版本不同，(当前参数版本: V1.06，导入参数版本: V1.07)，是否继续？")},
        {"version differs, Yes",
         "TVD-A04",
         "0000",
         "v1.07",
         {true},
         true,
         QStringLiteral(u"参数版本不同，(当前参数版本: V1.06，导入参数版本: v1.07)，是否继续？")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = file(c.hardType, c.start, c.version);
        dialogs_.answers = c.answers;
        EXPECT_EQ(import(name), c.imported);
        EXPECT_EQ(test::RequestsOf(drive(), kWriteEeprom).size(), c.imported ? 48u : 0u);
        if (!c.message.isEmpty()) {
            ASSERT_FALSE(dialogs_.entries.empty());
            EXPECT_EQ(dialogs_.entries[0].text, c.message);
            EXPECT_EQ(dialogs_.entries[0].question, !c.answers.empty());
        } else {
            EXPECT_TRUE(dialogs_.entries.empty());
        }
        EXPECT_EQ(confirmed_.DriveType, QStringLiteral("TVD-A04"));
    }
}

TEST_F(ImportFileTest, TheNoteViewerShowsTheFileAndCanCancel) {
    const QString name = file("TVD-A04", "0000", "V1.06");
    viewerAnswer_ = false;
    EXPECT_FALSE(import(name));
    EXPECT_TRUE(test::NativeRequests(drive()).empty());
    EXPECT_TRUE(confirmed_.DriveType.isEmpty());
    ASSERT_EQ(viewed_.size(), 1u);
    const NoteViewContent& c = viewed_[0];
    EXPECT_EQ(c.caption, QStringLiteral(u"导入参数备注"));
    EXPECT_EQ(c.confirmHint, QStringLiteral(u"核对参数信息，点击确定参数将被导入。"));
    QStringList labels, values;
    for (const NoteViewLine& l : c.lines) {
        labels.append(l.label);
        values.append(l.value);
    }
    const QStringList expected = QString::fromUtf16(
                                     u"底层软件信息：|信息号：|版本：|应用类型：|"
                                     u"备注：|升级日期：|备份信息：|备份时间：|"
                                     u"型号：|详细说明：|a|b|")
                                     .split('|');
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(values[4], QStringLiteral("TVDA-DSPa0106"));
    EXPECT_EQ(values[7], QStringLiteral("2026-12-11 14:03:07"));
    EXPECT_TRUE(c.lines[1].valueStyle.underline);
    EXPECT_EQ(c.lines[1].valueStyle.colour, StyleColour::Blue);
}

TEST_F(ImportFileTest, OnlyTheGridsParametersAreImported) {
    const QString name = file("TVD-A04", "0000", "V1.06");
    ParameterGridModel grid;
    grid.setDataRows({{"00", "a", ""}, {"Pr14F", "b", ""}});
    EXPECT_EQ(LastGridPrNumber(grid), 0x14Fu);
    grid.setCell(2, 0, "xyz");
    EXPECT_EQ(LastGridPrNumber(grid), 0x14Fu);
    grid.setCell(2, 0, "1A");
    EXPECT_EQ(LastGridPrNumber(grid), 0x1Au);
    EXPECT_TRUE(import(name, LastGridPrNumber(grid)));
    EXPECT_EQ(test::RequestsOf(drive(), kWriteEeprom).size(), 3u * 0x1B);
    EXPECT_EQ(drive().parameterImage(1, 0x1A), 0x1Au * 7 + 1);
    EXPECT_EQ(drive().parameterImage(0, 0x1B), 0xFFFFu);
}

TEST_F(ParameterFilesTest, ViewShowsTheFilesValuesInTheGrid) {
    dir_.write("view.dpm",
               "[ParaNote]\r\nDriType=TVD-A08\r\nParaNote=%x%\r\nLineNum=1\r\n"
               "[PraVal]\r\n00=12\r\n0A= 7 \r\n");
    ParameterGridModel grid;
    grid.setDataRows({{"00", "a", "   1"}, {"0a", "b", "   2"}, {"0B", "c", "   3"}});
    ParameterFileContext ctx = context();
    ConfirmedFileIdentity confirmed;
    std::vector<NoteViewContent> viewed;
    const auto viewer = [&](const NoteViewContent& c) {
        viewed.push_back(c);
        return true;
    };
    EXPECT_TRUE(ViewParameterFile(ctx, dir_.file("view.dpm"), grid, Identity(), confirmed, viewer));
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("   12"));
    EXPECT_EQ(grid.cell(2, 2), QStringLiteral("   7"));
    EXPECT_EQ(grid.cell(3, 2), QStringLiteral(u"   未知"));
    ASSERT_EQ(viewed.size(), 1u);
    EXPECT_EQ(viewed[0].caption, QStringLiteral(u"查看参数备注"));
    EXPECT_EQ(viewed[0].lines[2].value, QStringLiteral("TVD-A08"));
    EXPECT_EQ(confirmed.Version, QStringLiteral("V1.06"));
    EXPECT_TRUE(test::NativeRequests(drive()).empty());

    // Another extension leaves the values as they are.
    dir_.write("view.txt", "[PraVal]\r\n00=99\r\n");
    EXPECT_TRUE(ViewParameterFile(ctx, dir_.file("view.txt"), grid, Identity(), confirmed, viewer));
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("   12"));
}

TEST_F(ParameterFilesTest, ViewingAWaveFileAsksAboutADifferentDrive) {
    dir_.write("wave.dwt",
               "[ID]\r\nDriver1Type=TVD-A04\r\nHardType1=TVD-A08\r\n"
               "HardType1=TVD-A08\r\nParaVer1=V1.06\r\n[PraVal]\r\n00=00012\r\n");
    ParameterGridModel grid;
    grid.setDataRows({{"00", "a", ""}});
    ParameterFileContext ctx = context();
    ConfirmedFileIdentity confirmed;
    std::vector<NoteViewContent> viewed;
    dialogs_.answers = {true};
    EXPECT_TRUE(ViewParameterFile(ctx, dir_.file("wave.dwt"), grid, Identity(), confirmed,
                                  [&](const NoteViewContent& c) {
                                      viewed.push_back(c);
                                      return true;
                                  }));
    EXPECT_EQ(viewed[0].lines[2].value, QStringLiteral("TVD-A04"));
    // Asked once: the UTF-8 reading of a plain text is the same text.
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(
        dialogs_.entries[0].text,
        QStringLiteral(u"驱动器底层软件信息号不一致(当前驱动器信息号: TVD-A04，备份参数信息号: "
                       u"TVD-A08)，是否继续？"));
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("   00012"));

    dialogs_.answers = {false};
    grid.setCell(1, 2, "x");
    EXPECT_FALSE(ViewParameterFile(ctx, dir_.file("wave.dwt"), grid, Identity(), confirmed,
                                   [](const NoteViewContent&) { return true; }));
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("x"));
}

class FileButtonsTest : public ParameterFilesTest {
  protected:
    ParameterFileButtons buttons(ParameterFileContext& ctx) {
        ParameterFileButtons b(ctx, config_);
        b.chooseFile = [this](const FileDialogRequest& r) -> std::optional<QString> {
            requests_.push_back(r);
            return chosen_;
        };
        b.editNote = [](const QString&) { return QStringList{"n"}; };
        b.viewNote = [](const NoteViewContent&) { return true; };
        b.disconnect = [this] {
            ++disconnects_;
            link().setConnected(false);
        };
        return b;
    }

    IniFile config_;
    std::vector<FileDialogRequest> requests_;
    std::optional<QString> chosen_;
    int disconnects_ = 0;
};

TEST_F(FileButtonsTest, BackupAndImportRememberTheirFolders) {
    ParameterFileContext ctx = context();
    ParameterFileButtons b = buttons(ctx);
    QDir(dir_.path()).mkpath("saves");
    chosen_ = dir_.file("saves/first");
    ASSERT_TRUE(b.Backup(Identity(), {}));
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].title, QStringLiteral(u"参数保存"));
    EXPECT_EQ(requests_[0].fileName, QStringLiteral("TVD-A04.dpm"));
    EXPECT_EQ(requests_[0].startFolder, folders_.programPath("PraSave\\"));
    EXPECT_TRUE(QFile::exists(dir_.file("saves/first.dpm")));
    EXPECT_EQ(config_.readString("SystemSet", "PraSavePath"), dir_.file("saves") + "/");
    EXPECT_EQ(dialogs_.entries.back().text, TipMessages()[48]);

    ParameterGridModel grid;
    grid.setDataRows({{"00", "a", ""}, {"03", "b", ""}});
    chosen_ = dir_.file("saves/first.dpm");
    ASSERT_TRUE(b.Import(grid, {}, Identity(), *std::make_unique<ConfirmedFileIdentity>()));
    EXPECT_EQ(requests_[1].title, QStringLiteral(u"导入备份参数"));
    EXPECT_EQ(requests_[1].filter, QStringLiteral(u"参数文件(*.dpm)|*.dpm|*.*|*.*"));
    EXPECT_EQ(config_.readString("SystemSet", "PraOpenPath"), dir_.file("saves") + "/");
    EXPECT_EQ(dialogs_.entries.back().text, TipMessages()[33]);
    EXPECT_EQ(test::RequestsOf(drive(), kWriteEeprom).size(), 12u);
}

TEST_F(FileButtonsTest, TheAdministratorConfirmsTheImportLength) {
    ParameterFileContext ctx = context();
    ParameterFileButtons b = buttons(ctx);
    b.administrator = true;
    ParameterGridModel grid;
    grid.setDataRows({{"00", "a", ""}, {"14F", "b", ""}});
    dialogs_.answers = {false};
    ConfirmedFileIdentity confirmed;
    EXPECT_FALSE(b.Import(grid, {}, Identity(), confirmed));
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(dialogs_.entries[0].text,
              QStringLiteral(u"准备导入参数，请确认要导入的参数长度为14F(Hex)！"));
    EXPECT_EQ(dialogs_.entries[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(requests_.empty());
}

TEST_F(FileButtonsTest, ViewWhileConnectedAsksToDisconnectFirst) {
    ParameterFileContext ctx = context();
    ParameterFileButtons b = buttons(ctx);
    ParameterGridModel grid;
    ConfirmedFileIdentity confirmed;
    dialogs_.answers = {false};
    EXPECT_FALSE(b.View(grid, Identity(), confirmed));
    EXPECT_TRUE(link().isConnected());
    EXPECT_TRUE(requests_.empty());
    EXPECT_EQ(dialogs_.entries[0].text, TipMessages()[1]);

    dialogs_.answers = {true};
    chosen_ = std::nullopt;
    EXPECT_FALSE(b.View(grid, Identity(), confirmed));
    EXPECT_EQ(disconnects_, 1);
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].filter,
              QStringLiteral(u"参数文件(*.dpm)|*.dpm|波形文件(*.dwt)|*.dwt|*.*|*.*"));

    // Disconnected, the backup and import buttons only say so.
    EXPECT_FALSE(b.Backup(Identity(), confirmed));
    EXPECT_FALSE(b.Import(grid, {}, Identity(), confirmed));
    EXPECT_EQ(dialogs_.entries.back().text, TipMessages()[2]);
    EXPECT_EQ(dialogs_.entries.back().caption, caption::error());
    EXPECT_EQ(requests_.size(), 1u);
}

}  // namespace
}  // namespace tevra
