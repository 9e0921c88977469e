#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "WavePageFixture.h"
#include "debug/DataTypeSelection.h"
#include "debug/TfrmDTSet.h"
#include "scope/SampleType.h"
#include "scope/TfrmBitWvSet.h"
#include "scope/TfrmChnChse.h"
#include "scope/UpDown.h"
#include "scope/WaveColors.h"
#include "scope/WaveModel.h"
#include "scope/WaveRenderer.h"
#include "scope/display/MarkerLabel.h"

using namespace tevra;
using namespace tevra::test;

namespace {

// Runs `step` once the modal dialog the next call opens is showing.
void whenShown(QWidget* dialog, std::function<void()> step) {
    auto* timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, step] {
        if (dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            step();
        }
    });
    timer->start(5);
}

template <typename T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

}  // namespace

TEST(WavePage, ChannelOnOffEnablesItsControlsAndMarker) {
    WavePageFixture f;
    TframeWave& page = f.page();
    WaveModel& model = page.model();
    // The demo settings start CH1 and CH2 on.
    ASSERT_TRUE(model.Channels[0].isOn());
    ASSERT_FALSE(model.Channels[2].isOn());
    auto* marker = f.find<QLabel>("labWavRef1_3");
    auto* shift = f.find<UpDown>("updnCH1_3");
    auto* inv = f.find<QToolButton>("labCh1_3INV");
    auto* dt = f.find<QToolButton>("labCh1_3Type");
    EXPECT_FALSE(marker->isVisibleTo(&page));
    EXPECT_FALSE(shift->isEnabled());
    EXPECT_FALSE(dt->isEnabled());

    model.Channels[2].ZeroLineBackup = 300;
    f.find<QToolButton>("labCh1_3ON")->click();
    EXPECT_TRUE(model.Channels[2].isOn());
    EXPECT_EQ(model.Channels[2].ZeroLine, 300);
    EXPECT_TRUE(shift->isEnabled());
    EXPECT_TRUE(inv->isEnabled());
    EXPECT_TRUE(dt->isEnabled());
    EXPECT_TRUE(marker->isVisibleTo(&page));
    EXPECT_EQ(marker->text(), QStringLiteral("3->"));
    EXPECT_EQ(marker->y(), plot::markerTop(300, marker->height()) - plot::kTop);
    // The zero line is drawn across the plot in the channel's colour.
    EXPECT_EQ(QColor(page.plotImage().pixel(5, 300)), toQColor(model.Channels[2].Color));

    // Two shift steps down the screen: the marker follows with the moved caption.
    shift->step(2);
    EXPECT_EQ(model.Channels[2].zeroLevel(), 340);
    EXPECT_EQ(marker->text(), QStringLiteral("3-> "));

    f.find<QToolButton>("labCh1_3OFF")->click();
    EXPECT_FALSE(model.Channels[2].isOn());
    EXPECT_EQ(model.Channels[2].ZeroLineBackup, 340);  // kept for the next switch-on
    EXPECT_FALSE(shift->isEnabled());
    EXPECT_FALSE(marker->isVisibleTo(&page));
}

TEST(WavePage, RunIsRefusedWithoutAConnection) {
    WavePageFixture f;
    TframeWave& page = f.page();
    f.find<QPushButton>("RunWaveBut")->click();
    ASSERT_EQ(f.dialogs.entries.size(), 1u);
    EXPECT_EQ(f.dialogs.entries[0].text,
              QStringLiteral("未检测到已连接的驱动器，请确认通信连接正常后再试！"));
    EXPECT_EQ(f.dialogs.entries[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(f.dialogs.entries[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(page.capture().isRunning());
    EXPECT_TRUE(f.find<QPushButton>("RunWaveBut")->isEnabled());
    EXPECT_FALSE(f.find<QPushButton>("StopWave")->isEnabled());
}

TEST(WavePage, TriggerWindowArmsTheLine) {
    WavePageFixture f;
    TframeWave& page = f.page();
    WaveModel& model = page.model();
    f.find<QPushButton>("btnChannel")->click();
    TfrmChnChse* window = page.triggerWindow();
    ASSERT_TRUE(window->isVisible());
    auto* label = f.find<QLabel>("TriggerLabel");
    EXPECT_FALSE(label->isVisibleTo(&page));

    child<QRadioButton>(window, "rdbtnWve1_2Trg")->click();
    child<QCheckBox>(window, "TiggerCheck")->click();
    EXPECT_TRUE(model.Trigger.Armed.load());
    EXPECT_EQ(model.Trigger.Channel.load(), 2);
    EXPECT_TRUE(label->isVisibleTo(&page));
    const int level = model.Trigger.TriggerLevel;
    EXPECT_EQ(QColor(page.plotImage().pixel(5, level)), QColor(255, 0, 255));
    // Threshold: (zero level − line) × range / 65, with one decimal.
    const WaveChannel& ch2 = model.Channels[1];
    const double expected = (ch2.zeroLevel() - level) * ch2.ValuePerDivision / 65.0;
    EXPECT_DOUBLE_EQ(model.Trigger.Threshold.load(), expected);
    EXPECT_TRUE(child<QLineEdit>(window, "LabeledEdit1")
                    ->text()
                    .startsWith(QString::number(expected, 'f', 1)));

    // Dragging the line on the plot moves the threshold.
    QWidget* plotWidget = f.find<QWidget>("pbWave");
    QTest::mousePress(plotWidget, Qt::LeftButton, {}, QPoint(100, level));
    QTest::mouseMove(plotWidget, QPoint(100, level - 30));
    QTest::mouseRelease(plotWidget, Qt::LeftButton, {}, QPoint(100, level - 30));
    EXPECT_EQ(model.Trigger.TriggerLevel, level - 30);
    EXPECT_GT(model.Trigger.Threshold.load(), expected);

    child<QPushButton>(window, "CancelBtn")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(model.Trigger.Armed.load());
    EXPECT_FALSE(label->isVisibleTo(&page));
}

TEST(WavePage, DataTypeDialogSetsTheChannelsCode) {
    WavePageFixture f;
    TframeWave& page = f.page();
    WaveModel& model = page.model();
    TfrmDTSet* dialog = page.dataTypeDialog();

    // IQ with Q 24 on CH1; manual mode stores it in DataType1.
    whenShown(dialog, [dialog] {
        EXPECT_EQ(child<QGroupBox>(dialog, "grbxDatType")->title(), QStringLiteral("CH1"));
        child<QRadioButton>(dialog, "rdbtnIQ")->click();
        child<QComboBox>(dialog, "cbxIQ")->setCurrentIndex(24);
        child<QPushButton>(dialog, "btnConfirm")->click();
    });
    f.find<QToolButton>("labCh1_1Type")->click();
    EXPECT_EQ(model.Channels[0].SampleType, 29);
    EXPECT_EQ(f.ctx.config.readInt("DataType1", "Ch1", -1), 29);

    // An IQ choice without a Q number keeps the dialog open; cancel leaves the code alone.
    std::vector<QString> balloons;
    dialog->balloon = [&](QWidget*, const QString& text, const QString&) {
        balloons.push_back(text);
    };
    whenShown(dialog, [dialog] {
        EXPECT_TRUE(child<QRadioButton>(dialog, "rdbtnIQ")->isChecked());
        EXPECT_EQ(child<QComboBox>(dialog, "cbxIQ")->currentIndex(), 24);
        child<QRadioButton>(dialog, "rdbtnuIQ")->click();
        EXPECT_FALSE(child<QComboBox>(dialog, "cbxIQ")->isEnabled());
        child<QPushButton>(dialog, "btnConfirm")->click();
        EXPECT_TRUE(dialog->isVisible());
        child<QPushButton>(dialog, "btnCancel")->click();
    });
    f.find<QToolButton>("labCh1_1Type")->click();
    EXPECT_EQ(balloons, std::vector<QString>{QStringLiteral("请选择Q格式类型！")});
    EXPECT_EQ(model.Channels[0].SampleType, 29);
}

TEST(WavePage, DataTypeDialogRefusesFloatOnASixteenBitSource) {
    WavePageFixture f;
    TframeWave& page = f.page();
    WaveModel& model = page.model();
    // CH2's source: a user wave entry whose register is declared 16-bit.
    auto* source = f.find<QComboBox>("cmbWve1_2");
    const QString declared = declaredSourceType(source->currentText(), page.sourceCatalog());
    ASSERT_TRUE(declared == QStringLiteral("INT16") || declared == QStringLiteral("UINT16"))
        << declared.toStdString();
    TfrmDTSet* dialog = page.dataTypeDialog();
    std::vector<QString> balloons;
    dialog->balloon = [&](QWidget* at, const QString& text, const QString& title) {
        EXPECT_EQ(at->objectName(), QStringLiteral("rdbtnFloat32"));
        EXPECT_EQ(title, QStringLiteral("提示"));
        balloons.push_back(text);
    };
    whenShown(dialog, [dialog] {
        child<QRadioButton>(dialog, "rdbtnFloat32")->click();
        child<QPushButton>(dialog, "btnConfirm")->click();
        EXPECT_TRUE(dialog->isVisible());
        // Restoring the default checks the declared type again.
        child<QPushButton>(dialog, "btnResetDT")->click();
        EXPECT_FALSE(child<QRadioButton>(dialog, "rdbtnFloat32")->isChecked());
        child<QPushButton>(dialog, "btnConfirm")->click();
    });
    f.find<QToolButton>("labCh1_2Type")->click();
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0],
              QStringLiteral("原始数据类型为%1，数据长度不对，请重新设置。").arg(declared));
    EXPECT_EQ(model.Channels[1].SampleType, declared == QStringLiteral("INT16") ? 0 : 1);
}

TEST(WavePage, BitWindowNeedsATickedChannel) {
    WavePageFixture f;
    TframeWave& page = f.page();
    TfrmBitWvSet* window = page.bitWindow();
    whenShown(window, [window] {
        child<QPushButton>(window, "ConfirmBtn")->click();
        EXPECT_TRUE(window->isVisible());
        child<QCheckBox>(window, "WveBit1_2")->click();
        child<QComboBox>(window, "cbbxBit1_2")->setCurrentIndex(5);
        child<QPushButton>(window, "ConfirmBtn")->click();
    });
    f.find<QPushButton>("btnBitWave")->click();
    ASSERT_EQ(f.dialogs.entries.size(), 1u);
    EXPECT_EQ(f.dialogs.entries[0].text, QStringLiteral("请选择要启动的位方式波形！"));
    EXPECT_EQ(f.dialogs.entries[0].caption, QStringLiteral("错误"));
    EXPECT_TRUE(page.model().Channels[1].BitMode);
    EXPECT_EQ(page.model().Channels[1].BitNumber, 5);
    EXPECT_FALSE(window->isVisible());

    // Moving bit mode from CH2 to CH3 gives CH2 its raw samples back.
    WaveBuffers& buffers = page.model().Buffers;
    buffers.BitSourceBuffer(1)[3] = 0x20;
    buffers.WaveBuffer(1)[3] = 1;
    whenShown(window, [window] {
        child<QCheckBox>(window, "WveBit1_2")->click();
        child<QCheckBox>(window, "WveBit1_3")->click();
        child<QPushButton>(window, "ConfirmBtn")->click();
    });
    f.find<QPushButton>("btnBitWave")->click();
    EXPECT_FALSE(page.model().Channels[1].BitMode);
    EXPECT_TRUE(page.model().Channels[2].BitMode);
    EXPECT_EQ(buffers.WaveBuffer(1)[3], 0x20u);
}

TEST(WavePage, DraggingAZeroLineMovesTheTraceAndItsMarker) {
    WavePageFixture f;
    TframeWave& page = f.page();
    WaveModel& model = page.model();
    for (int i = 0; i < 800; ++i) {
        model.Buffers.WaveBuffer(0)[i] = 0;
    }
    const int z = model.Channels[0].zeroLevel();
    QWidget* plotWidget = f.find<QWidget>("pbWave");
    QTest::mousePress(plotWidget, Qt::LeftButton, {}, QPoint(200, z + 3));
    QTest::mouseMove(plotWidget, QPoint(200, 400));
    QTest::mouseRelease(plotWidget, Qt::LeftButton, {}, QPoint(200, 400));
    EXPECT_EQ(model.Channels[0].ZeroLine, 400);
    EXPECT_EQ(f.find<QLabel>("labWavRef1_1")->text(), QStringLiteral("1-> "));
    page.RefreshWave();
    // The trace of zeros lies on the new zero line.
    EXPECT_EQ(QColor(page.plotImage().pixel(300, 400)), toQColor(model.Channels[0].Color));
    // Closing the program keeps the new level.
    for (const auto& save : f.ctx.settingsSavers) {
        save();
    }
    EXPECT_EQ(f.ctx.config.readInt("Systemset", "Wve1_1Pos", 0), 400);
}

TEST(WavePage, ARangeWithoutAValueIsRefusedAndTheComboGoesBack) {
    WavePageFixture f;
    f.ctx.config.writeString("VGridLelve", "0.002/div", "abc");
    TframeWave& page = f.page();
    WaveModel& model = page.model();
    auto* range = f.find<QComboBox>("cmbRage1_1");
    const int before = range->currentIndex();
    const double perDivision = model.Channels[0].ValuePerDivision;
    range->setCurrentIndex(range->findText("0.002/div"));
    EXPECT_EQ(range->currentIndex(), before);
    EXPECT_EQ(model.Channels[0].RangeIndex, before);
    EXPECT_EQ(model.Channels[0].ValuePerDivision, perDivision);
    // A good range is taken, with its scale label.
    range->setCurrentIndex(range->findText("0.005/div"));
    EXPECT_EQ(model.Channels[0].ValuePerDivision, 0.005);
    EXPECT_EQ(f.find<QLabel>("labCh1_1")->text(), QStringLiteral("CH1: 0.005 "));
}
