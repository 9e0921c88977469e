#include <gtest/gtest.h>

#include <QProcess>

#include "ParameterPageFixture.h"
#include "ini/IniFile.h"
#include "parameters/ParameterImport.h"
#include "parameters/ParameterPage.h"
#include "shell/TipMessages.h"
#include "text/TextFile.h"

namespace tevra {
namespace {

bool Barred(const TNoImportPr& barred, uint32_t pr) {
    return barred.Numbers.contains(static_cast<uint16_t>(pr));
}

// Changes every parameter's three images and its RAM word, as years of tuning would.
void Scramble(sim::SimulatedDrive& drive) {
    for (uint32_t p = 0; p <= 0x1FF; ++p) {
        for (uint32_t base : {0x0000u, 0x1400u, 0x1800u}) {
            drive.setEepromWord(base + 2 * p, static_cast<uint16_t>(0xA5A5 ^ p));
        }
        drive.setRam(p, static_cast<uint16_t>(p * 3));
    }
}

TEST(BackupRestore, ABackupOfTheDriveImportsBackWithEveryImageVerified) {
    test::ParameterPageFixture f;
    f.connectLink();
    f.ctx.noImport.Numbers = {0x00, 0x04};
    f.ctx.noImport.Count = 2;
    const QString file = f.dir.file("PraSave/drive.dpm");
    f.page->setFileChooser([&](const FileDialogRequest&) { return std::optional<QString>(file); });
    f.page->setNoteEditor(
        [](const QString&) { return std::optional<QStringList>(QStringList{"before"}); });
    f.page->setNoteViewer([](const NoteViewContent&) { return true; });

    // The drive's RAM values as they are now.
    QVector<uint16_t> before;
    for (uint32_t p = 0; p <= 0x1FF; ++p) {
        before.append(f.drive().ram(p));
    }
    ASSERT_TRUE(f.page->BackupParaBtnClick());
    EXPECT_EQ(f.dialogs.entries.back().text, TipMessages()[48]);
    const IniFile saved(file);
    EXPECT_EQ(saved.keys("PraVal").size(), 512);
    EXPECT_EQ(saved.readString("PraVal", "1FF"), QString::number(before[0x1FF]));

    Scramble(f.drive());
    const uint32_t last = LastGridPrNumber(f.page->page().grid());
    EXPECT_EQ(last, 0x14Fu);
    ASSERT_TRUE(f.page->ImportParaBtnClick());
    EXPECT_EQ(f.dialogs.entries.back().text, TipMessages()[33]);

    for (uint32_t p = 0; p <= 0x1FF; ++p) {
        for (int image = 0; image < 3; ++image) {
            const uint32_t expected =
                p > last || Barred(f.ctx.noImport, p) ? (0xA5A5 ^ p) : before[p];
            ASSERT_EQ(f.drive().parameterImage(image, static_cast<uint16_t>(p)), expected)
                << "Pr " << std::hex << p << " image " << image;
        }
    }
    const QStringList log = readTextLines(ImportLogPath(f.ctx.folders)).value();
    EXPECT_EQ(log.back(), QStringLiteral(u"参数导入成功。"));
    EXPECT_TRUE(log.contains(QStringLiteral(u"Pr04，未导入")));
    EXPECT_EQ(IniFile(f.ctx.folders.configIniPath()).readString("SystemSet", "PraOpenPath"),
              f.dir.file("PraSave") + "/");
}

TEST(BackupRestore, TheCommandLineToolBacksUpAndRestoresTheSameWay) {
    const QString cli = test::programDir() + "/tevra-cli";
    if (!QFile::exists(cli)) {
        GTEST_SKIP() << "tevra-cli is not built";
    }
    test::ParameterPageFixture f;
    // The tool opens the drive's terminal itself.
    f.ctx.link.reset();
    const QString file = f.dir.file("line.dpm");
    auto run = [&](const QStringList& args) {
        QProcess p;
        p.start(cli,
                QStringList{"--port", f.sim.devicePath(), "--program-dir", f.dir.path()} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return p.exitCode();
    };
    QVector<uint16_t> before;
    for (uint32_t p = 0; p <= 0x1FF; ++p) {
        before.append(f.drive().ram(p));
    }
    ASSERT_EQ(run({"backup", file, "--note", "one\\ntwo"}), 0);
    EXPECT_EQ(IniFile(file).readString("ParaNote", "ParaNote"), QStringLiteral("%one%two%"));
    Scramble(f.drive());
    ASSERT_EQ(run({"import", file}), 0);
    const TNoImportPr barred = [&] {
        TNoImportPr b;
        for (uint16_t pr : {0x00, 0x04, 0x06, 0x0A, 0x0B, 0x12A}) {
            b.Numbers.append(pr);
        }
        return b;
    }();
    for (uint32_t p = 0; p <= 0x14F; ++p) {
        const uint32_t expected = Barred(barred, p) ? (0xA5A5 ^ p) : before[p];
        for (int image = 0; image < 3; ++image) {
            ASSERT_EQ(f.drive().parameterImage(image, static_cast<uint16_t>(p)), expected)
                << "Pr " << std::hex << p;
        }
    }
    // A drive that falls silent after the identity (5 requests), Pr 0 (barred), Pr 1 and 2
    // (six requests each) and the three writes of Pr 3: the read-back of Pr 3 fails, the
    // import stops there and says so in its exit code.
    f.drive().setStopAfterRequests(20);
    EXPECT_EQ(run({"import", file}), 1);
    EXPECT_EQ(readTextLines(ImportLogPath(f.ctx.folders)).value().back(),
              QStringLiteral(u"参数校验出错，导入失败，截止参数号：03。"));
}

}  // namespace
}  // namespace tevra
