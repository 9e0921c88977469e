#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ParameterPageFixture.h"
#include "parameters/GridFind.h"
#include "parameters/ParameterPage.h"
#include "parameters/TfrmBackupNote.h"
#include "parameters/TfrmFind.h"
#include "parameters/TfrmImportNote.h"
#include "shell/LampShape.h"
#include "shell/TipMessages.h"

namespace tevra {
namespace {

using test::child;

int RowOf(QTableView* grid, const QString& pr) {
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        if (grid->model()->index(r, 0).data().toString() == pr) {
            return r;
        }
    }
    return -1;
}

TEST(ParameterPageUi, GridListsTheEntriesOfTheLevel) {
    for (bool administrator : {false, true}) {
        test::ParameterPageFixture f(administrator);
        auto* grid = child<QTableView>(f.page.get(), "sgPara");
        ASSERT_NE(grid, nullptr);
        const ParameterList& entries = f.page->page().entries();
        int listed = 0;
        for (const ParameterEntry& e : entries) {
            listed += administrator || e.AccessLevel.trimmed() != "2" ? 1 : 0;
        }
        EXPECT_EQ(grid->model()->rowCount(), listed) << administrator;
        EXPECT_GT(listed, 250);
        EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(),
                  QStringLiteral(u"参数号"));
        EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal).toString(),
                  QStringLiteral(u"当前值"));
        EXPECT_EQ(grid->model()->index(0, 2).data().toString(), QStringLiteral(u"未知"));
        // Pr00 is for the administrator only in the demo description.
        EXPECT_EQ(RowOf(grid, "00") >= 0, administrator);
    }
}

TEST(ParameterPageUi, ClickShowsTheParameterAndTheButtonWritesIt) {
    test::ParameterPageFixture f;
    f.connectLink();
    f.page->show();
    auto* grid = child<QTableView>(f.page.get(), "sgPara");
    const int row = RowOf(grid, "10");
    ASSERT_GE(row, 0);
    grid->selectRow(row);
    EXPECT_EQ(f.page->page().selectedRow(), row + 1);
    auto* hint = child<QTextEdit>(f.page.get(), "reParaHint");
    EXPECT_TRUE(hint->toPlainText().contains(f.page->page().selectedEntry()->Name.trimmed()));

    auto* value = child<QLineEdit>(f.page.get(), "ParValEdit");
    value->clear();
    QTest::keyClicks(value, "1a2.b");  // only the digits reach the box
    EXPECT_EQ(value->text(), QStringLiteral("12"));
    ASSERT_TRUE(child<QRadioButton>(f.page.get(), "writeRAM")->isChecked());
    f.drive().clearLog();
    QTest::mouseClick(child<QPushButton>(f.page.get(), "WriParaBtn"), Qt::LeftButton);
    EXPECT_EQ(f.drive().ram(0x10), 12);
    ASSERT_FALSE(f.dialogs.entries.empty());
    EXPECT_EQ(f.dialogs.entries.back().text, TipMessages()[23]);
    EXPECT_EQ(child<QLineEdit>(f.page.get(), "edtCurrPara")->text(), QStringLiteral("12"));
    EXPECT_EQ(grid->model()->index(row, 2).data().toString(), QStringLiteral("   12"));
}

TEST(ParameterPageUi, PowerUpParameterSwitchesTheChoiceToEeprom) {
    test::ParameterPageFixture f;
    f.connectLink();
    const ParameterList& entries = f.page->page().entries();
    auto* grid = child<QTableView>(f.page.get(), "sgPara");
    int row = -1;
    for (const ParameterEntry& e : entries) {
        if (e.EffectMode.trimmed() == "1" &&
            e.TypeName.trimmed().compare("Uint16", Qt::CaseInsensitive) == 0 &&
            e.AccessLevel.trimmed() != "2") {
            row = RowOf(grid, QString::number(e.PrNumber, 16).toUpper().rightJustified(2, '0'));
            break;
        }
    }
    ASSERT_GE(row, 0);
    grid->selectRow(row);
    const ParameterEntry entry = *f.page->page().selectedEntry();
    auto* value = child<QLineEdit>(f.page.get(), "ParValEdit");
    value->setText(QString::number(entry.LowerBound));
    child<QPushButton>(f.page.get(), "WriParaBtn")->click();
    EXPECT_TRUE(child<QRadioButton>(f.page.get(), "WriteEEPROM")->isChecked());
    for (int image = 0; image < 3; ++image) {
        EXPECT_EQ(f.drive().parameterImage(image, entry.PrNumber),
                  static_cast<uint32_t>(entry.LowerBound));
    }
    EXPECT_EQ(f.dialogs.entries.back().text, TipMessages()[28]);
}

TEST(ParameterPageUi, SchedulerServicesReadTheValuesAndLightTheLamps) {
    test::ParameterPageFixture f;
    f.page->show();
    f.connectLink();
    f.drive().setRam(0x80, 10);  // X1 inverted
    f.scheduler->tick();
    auto* grid = child<QTableView>(f.page.get(), "sgPara");
    const int row = RowOf(grid, "80");
    ASSERT_GE(row, 0);
    EXPECT_EQ(grid->model()->index(row, 2).data().toString(), QStringLiteral("   10"));
    EXPECT_FALSE(f.page->page().ParameterRefreshRequested);
    EXPECT_TRUE(child<QCheckBox>(f.page.get(), "X1ChK")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(f.page.get(), "X0ChK")->isChecked());
    // The demo drive reports servo ON and input X0.
    EXPECT_EQ(child<LampShape>(f.page.get(), "shpServoStus")->color(), QColor(0, 255, 0));
    EXPECT_EQ(child<LampShape>(f.page.get(), "X0Shape")->color(), QColor(0, 255, 0));

    // A user's click on an inversion box is written on the next tick.
    child<QCheckBox>(f.page.get(), "X3ChK")->click();
    f.scheduler->tick();
    EXPECT_EQ(f.drive().ram(0x80), 1010);
    EXPECT_EQ(grid->model()->index(row, 2).data().toString(), QStringLiteral("   1010"));

    // Disconnected, the lamps go idle; the values stay.
    for (const auto& l : f.ctx.linkStateListeners) {
        l(false);
    }
    EXPECT_NE(child<LampShape>(f.page.get(), "X0Shape")->color(), QColor(0, 255, 0));
    EXPECT_EQ(grid->model()->index(row, 2).data().toString(), QStringLiteral("   1010"));
}

TEST(ParameterPageUi, DigitHotKeysToggleTheBoxesAndWrite) {
    test::ParameterPageFixture f;
    f.connectLink();
    EXPECT_TRUE(f.page->MainKeyDown(2, Qt::ControlModifier));
    EXPECT_TRUE(child<QCheckBox>(f.page.get(), "Y2ChK")->isChecked());
    EXPECT_EQ(f.drive().ram(0x83), 100);

    std::atomic<uint32_t> requests{0};
    f.page->setCaptureRequests(&requests);
    f.ctx.CaptureRunning = true;
    EXPECT_TRUE(f.page->MainKeyDown(0, Qt::AltModifier));
    EXPECT_EQ(requests.load(), 1u);
    EXPECT_FALSE(child<QCheckBox>(f.page.get(), "X0ChK")->isChecked());
    f.ctx.CaptureRunning = false;
    f.page->ApplyCaptureRequests(requests.exchange(0));
    EXPECT_TRUE(child<QCheckBox>(f.page.get(), "X0ChK")->isChecked());
    EXPECT_EQ(f.drive().ram(0x80) % 10, 1);
    EXPECT_FALSE(f.page->MainKeyDown(3, Qt::NoModifier));
}

TEST(ParameterPageUi, CtrlFFindsAndTheSearchIsRemembered) {
    test::ParameterPageFixture f;
    f.page->show();
    auto* grid = child<QTableView>(f.page.get(), "sgPara");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
    TfrmFind* find = f.page->findWindow();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    auto* text = child<QLineEdit>(find, "edtFind");
    text->setText(QStringLiteral(u"增益"));
    QTest::mouseClick(child<QPushButton>(find, "btnConfirm"), Qt::LeftButton);
    const int first = f.page->page().selectedRow();
    EXPECT_TRUE(
        grid->model()->index(first - 1, 1).data().toString().contains(QStringLiteral(u"增益")));
    EXPECT_EQ(grid->currentIndex().row(), first - 1);
    // Enter finds the next match once, like the button: it does not also press the
    // window's default button and skip a match.
    const std::optional<int> next = FindInGrid(f.page->page().grid(), first, text->text(), false);
    ASSERT_TRUE(next.has_value());
    ASSERT_GT(*next, first);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(f.page->page().selectedRow(), *next);
    EXPECT_TRUE(find->isVisible());

    child<QCheckBox>(find, "chbxUpLow")->setChecked(true);
    child<QPushButton>(find, "btnCancel")->click();
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(IniFile(f.ctx.folders.configIniPath()).readString("PraGrdFind1", "edtFind"),
              QStringLiteral(u"增益"));
    text->clear();
    f.page->OpenFind();
    EXPECT_EQ(text->text(), QStringLiteral(u"增益"));
    EXPECT_TRUE(child<QCheckBox>(find, "chbxUpLow")->isChecked());
    find->close();
}

TEST(ParameterPageUi, DesignStateOfTheIoPanel) {
    test::ParameterPageFixture f;
    for (const char* name : {"X10ChK", "X15ChK", "Y4ChK", "Y6ChK", "X0Shape", "X12Shape"}) {
        EXPECT_FALSE(child<QWidget>(f.page.get(), name)->isEnabled()) << name;
    }
    for (const char* name : {"X0ChK", "X9ChK", "Y3ChK", "shpPulse", "shpDirect", "ImportParaBtn",
                             "BackupParaBtn", "ViewParaBBtn", "pnlConnect"}) {
        ASSERT_NE(child<QWidget>(f.page.get(), name), nullptr) << name;
        EXPECT_TRUE(child<QWidget>(f.page.get(), name)->isEnabled()) << name;
    }
    EXPECT_TRUE(child<QWidget>(f.page.get(), "btnHelp1")->isHidden());
    EXPECT_EQ(child<QPushButton>(f.page.get(), "BackupParaBtn")->text(),
              QStringLiteral(u"备份参数 &B"));
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

TEST(ParameterNoteWindows, ViewerShowsTheLinesInTheirStylesAndEditorClearsThePrompt) {
    test::widgetApp();
    BackupFileInfo info;
    info.BottomSoftTy = QStringLiteral("TVD-A04");
    info.DateTime = QStringLiteral("2026-12-11 14:03:07");
    info.ParaNote = QStringLiteral(u"%一号机%%");
    info.LineNum = 2;
    TfrmImportNote viewer;
    viewer.fill(ImportNoteContent(info));
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral(u"导入参数备注"));
    QTextEdit* text = child<QTextEdit>(&viewer, "redtImport");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    const QStringList lines = text->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[1], QStringLiteral(u"信息号：TVD-A04"));
    EXPECT_EQ(lines[10], QStringLiteral(u"一号机"));
    // The value of "信息号：" is underlined blue, its label plain black.
    QTextCursor cursor(text->document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    EXPECT_TRUE(cursor.charFormat().fontUnderline());
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0, 0, 255));
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::Right);
    EXPECT_FALSE(cursor.charFormat().fontUnderline());
    EXPECT_EQ(child<QPushButton>(&viewer, "btnOK")->toolTip(),
              QStringLiteral(u"核对参数信息，点击确定参数将被导入。"));

    TfrmBackupNote editor;
    QTextEdit* note = child<QTextEdit>(&editor, "redtBackup");
    note->setPlainText(QStringLiteral(u" 在此输入参数备注 "));
    QTest::mouseClick(note->viewport(), Qt::LeftButton);
    EXPECT_TRUE(note->toPlainText().isEmpty());
    QTest::keyClicks(note, "a");
    QTest::mouseClick(note->viewport(), Qt::LeftButton);
    EXPECT_EQ(note->toPlainText(), QStringLiteral("a"));
    note->setPlainText(QStringLiteral("one\ntwo"));
    EXPECT_EQ(editor.noteLines(), QStringList({"one", "two"}));
}

}  // namespace
}  // namespace tevra
