#include "scope/TfrmChnChse.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "scope/Trigger.h"
#include "scope/WaveModel.h"

namespace tevra {

TfrmChnChse::TfrmChnChse(WaveModel& model, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), model_(model) {
    setObjectName(QStringLiteral("frmChnChse"));
    setWindowTitle(QStringLiteral("触发"));

    auto* layout = new QVBoxLayout(this);
    auto* channels = new QGroupBox(QStringLiteral("触发通道选择"), this);
    channels->setObjectName(QStringLiteral("grpbxTrgChannel"));
    auto* channelRow = new QHBoxLayout(channels);
    auto* channelGroup = new QButtonGroup(this);
    for (int n = 0; n < 4; ++n) {
        auto* b = new QRadioButton(QStringLiteral("CH%1").arg(n + 1), channels);
        b->setObjectName(QStringLiteral("rdbtnWve1_%1Trg").arg(n + 1));
        channelGroup->addButton(b, n);
        channelRow->addWidget(b);
        channelButtons_[n] = b;
        connect(b, &QRadioButton::clicked, this, [this, n] {
            model_.Trigger.Channel = n + 1;
            placeLine();
        });
    }
    layout->addWidget(channels);

    auto* grid = new QGridLayout;
    armed_ = new QCheckBox(QStringLiteral("启动"), this);
    armed_->setObjectName(QStringLiteral("TiggerCheck"));
    connect(armed_, &QCheckBox::clicked, this, [this](bool on) {
        model_.Trigger.Armed = on;
        // The threshold follows the line as soon as it is shown, not only at closing.
        placeLine();
    });
    grid->addWidget(armed_, 0, 0);

    auto* edgeGroup = new QButtonGroup(this);
    rising_ = new QRadioButton(QStringLiteral("上升沿"), this);
    rising_->setObjectName(QStringLiteral("UpTiggerRad"));
    falling_ = new QRadioButton(QStringLiteral("下降沿"), this);
    falling_->setObjectName(QStringLiteral("DownTiggerRad"));
    edgeGroup->addButton(rising_);
    edgeGroup->addButton(falling_);
    connect(rising_, &QRadioButton::clicked, this,
            [this] { model_.Trigger.Edge = TriggerEdge::Rising; });
    connect(falling_, &QRadioButton::clicked, this,
            [this] { model_.Trigger.Edge = TriggerEdge::Falling; });
    grid->addWidget(rising_, 0, 1);
    grid->addWidget(falling_, 0, 2);

    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("ccbTrgMd"));
    type_->addItems({QStringLiteral("单次触发"), QStringLiteral("正常触发")});
    type_->setEnabled(false);
    grid->addWidget(new QLabel(QStringLiteral("触发方式"), this), 1, 0);
    grid->addWidget(type_, 1, 1, 1, 2);

    threshold_ = new QLineEdit(this);
    threshold_->setObjectName(QStringLiteral("LabeledEdit1"));
    threshold_->setReadOnly(true);
    auto* thresholdLabel = new QLabel(QStringLiteral("触发值"), this);
    thresholdLabel->setBuddy(threshold_);
    grid->addWidget(thresholdLabel, 2, 0);
    grid->addWidget(threshold_, 2, 1, 1, 2);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    auto* confirm = new QPushButton(QStringLiteral("确认"), this);
    confirm->setObjectName(QStringLiteral("ConfirmsBtn"));
    confirm->setToolTip(QStringLiteral("确认选择，关闭窗口！"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setToolTip(QStringLiteral("取消触发，关闭窗口！"));
    auto* help = new QPushButton(QStringLiteral("帮助"), this);
    help->setObjectName(QStringLiteral("btnHelp"));
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    layout->addLayout(buttons);

    connect(confirm, &QPushButton::clicked, this, [this] {
        placeLine();
        Q_EMIT confirmed();
        close();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        model_.Trigger.Armed = false;
        armed_->setChecked(false);
        Q_EMIT triggerChanged();
        close();
    });
    connect(help, &QPushButton::clicked, this, [this] {
        if (onHelp) {
            onHelp();
        }
    });
    loadFromModel();
}

void TfrmChnChse::loadFromModel() {
    const TriggerState& t = model_.Trigger;
    const int channel = t.Channel.load();
    for (int n = 0; n < 4; ++n) {
        channelButtons_[n]->setChecked(channel == n + 1);
    }
    armed_->setChecked(t.Armed.load());
    (t.Edge.load() == TriggerEdge::Rising ? rising_ : falling_)->setChecked(true);
    type_->setCurrentIndex(t.TypeIndex >= 0 && t.TypeIndex < type_->count() ? t.TypeIndex : 0);
    refreshThreshold();
}

void TfrmChnChse::refreshThreshold() {
    threshold_->setText(model_.Trigger.ThresholdText);
}

void TfrmChnChse::placeLine() {
    SetTriggerLevel(model_, model_.Trigger.TriggerLevel);
    refreshThreshold();
    Q_EMIT triggerChanged();
}

void TfrmChnChse::showWindow() {
    loadFromModel();
    show();
    raise();
    activateWindow();
}

void TfrmChnChse::closeEvent(QCloseEvent* event) {
    placeLine();
    QWidget::closeEvent(event);
}

void TfrmChnChse::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        if (onHelp) {
            onHelp();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tevra
