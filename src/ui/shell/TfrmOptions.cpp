#include "shell/TfrmOptions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/AppContext.h"
#include "shell/BalloonHint.h"
#include "shell/DialogButtons.h"
#include "shell/Options.h"
#include "shell/TipMessages.h"

namespace tevra {
namespace {

QLineEdit* makeEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(90);
    return e;
}

}  // namespace

TfrmOptions::TfrmOptions(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral(u"选项"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("pgcOptions"));

    auto* system = new QWidget(tabs_);
    system->setObjectName(QStringLiteral("tbsSystem"));
    auto* sg = new QGridLayout(system);
    edtCommErrMax_ = makeEdit(system, "edtCommErrMax");
    edtScanTime_ = makeEdit(system, "edtScanTime");
    edtScanTime_->setMaxLength(4);
    sg->addWidget(new QLabel(QStringLiteral(u"允许最大出错次数："), system), 0, 0);
    sg->addWidget(edtCommErrMax_, 0, 1);
    sg->addWidget(new QLabel(QStringLiteral(u"扫描时间(ms)："), system), 1, 0);
    sg->addWidget(edtScanTime_, 1, 1);
    sg->setRowStretch(2, 1);
    sg->setColumnStretch(2, 1);

    auto* wave = new QWidget(tabs_);
    wave->setObjectName(QStringLiteral("tbsWave"));
    auto* wg = new QGridLayout(wave);
    edtCalcimineFrqncy_ = makeEdit(wave, "edtCalcimineFrqncy");
    edtCalcimineFrqncy_->installEventFilter(this);
    edtWaveCommErrMax_ = makeEdit(wave, "edtWaveCommErrMax");
    wg->addWidget(new QLabel(QStringLiteral(u"波形刷屏频率："), wave), 0, 0);
    wg->addWidget(edtCalcimineFrqncy_, 0, 1);
    wg->addWidget(new QLabel(QStringLiteral("(1-1000)"), wave), 0, 2);
    wg->addWidget(new QLabel(QStringLiteral(u"波形通信阀值："), wave), 1, 0);
    wg->addWidget(edtWaveCommErrMax_, 1, 1);
    auto* mode = new QGroupBox(QStringLiteral(u"数据类型设置方式："), wave);
    mode->setObjectName(QStringLiteral("gbxDataType"));
    auto* mg = new QHBoxLayout(mode);
    rdbtnDataAutoAdapt_ = new QRadioButton(QStringLiteral(u"自动匹配"), mode);
    rdbtnDataAutoAdapt_->setObjectName(QStringLiteral("rdbtnDataAutoAdapt"));
    rdbtnDataHandworkAdapt_ = new QRadioButton(QStringLiteral(u"手动设置"), mode);
    rdbtnDataHandworkAdapt_->setObjectName(QStringLiteral("rdbtnDataHandworkAdapt"));
    rdbtnDataHandworkAdapt_->setChecked(true);
    mg->addWidget(rdbtnDataAutoAdapt_);
    mg->addWidget(rdbtnDataHandworkAdapt_);
    wg->addWidget(mode, 2, 0, 1, 3);
    wg->setRowStretch(3, 1);
    wg->setColumnStretch(3, 1);

    tabs_->addTab(system, QStringLiteral(u"系统"));
    tabs_->addTab(wave, QStringLiteral(u"波形"));
    tabs_->setCurrentWidget(wave);
    layout->addWidget(tabs_);

    const DialogButtons buttons =
        AddDialogButtons(this, layout, QStringLiteral(u"确认"), QStringLiteral("btnConfirm"));
    buttons.confirm->setDefault(true);
    connect(buttons.confirm, &QPushButton::clicked, this, &TfrmOptions::Confirm);
    connect(buttons.cancel, &QPushButton::clicked, this, &TfrmOptions::Cancel);
    resize(360, 240);

    LoadOptions();
}

void TfrmOptions::LoadOptions() {
    const options::Values v = options::Load(ctx_.config);
    if (v.dataTypeAutomatic) {
        (*v.dataTypeAutomatic ? rdbtnDataAutoAdapt_ : rdbtnDataHandworkAdapt_)->setChecked(true);
    }
    edtCalcimineFrqncy_->setText(QString::number(v.refreshFrequency));
    edtCommErrMax_->setText(v.commErrMaxText);
    edtWaveCommErrMax_->setText(v.waveCommErrMaxText);
    edtScanTime_->setText(v.scanTimeText);
    options::Apply(v, ctx_);
    if (timer2Changed_) {
        timer2Changed_(ctx_.options.Timer2Interval);
    }
}

void TfrmOptions::showEvent(QShowEvent* event) {
    LoadOptions();
    QDialog::showEvent(event);
}

void TfrmOptions::Confirm() {
    options::Input in;
    in.automaticChecked = rdbtnDataAutoAdapt_->isChecked();
    in.manualChecked = rdbtnDataHandworkAdapt_->isChecked();
    in.refreshFrequencyText = edtCalcimineFrqncy_->text();
    in.commErrMaxText = edtCommErrMax_->text();
    in.waveCommErrMaxText = edtWaveCommErrMax_->text();
    in.scanTimeText = edtScanTime_->text();
    if (options::Confirm(in, ctx_.config, ctx_, sourceChange_) ==
        options::ConfirmResult::FrequencyOutOfRange) {
        ShowBalloonHint(edtCalcimineFrqncy_, QStringLiteral(u"输入数值超出范围。"), 1000,
                        BalloonInfo, caption::information());
        return;
    }
    if (timer2Changed_) {
        timer2Changed_(ctx_.options.Timer2Interval);
    }
    accept();
}

void TfrmOptions::Cancel() {
    LoadOptions();
    reject();
}

bool TfrmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtCalcimineFrqncy_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Only the digits are typed; every other character, Backspace included, is
        // dropped. Keys without a character (arrows, Delete, Enter, Escape) still work.
        const bool digit = text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
        const bool printable = !text.isEmpty() && text[0].isPrint();
        if (key->key() == Qt::Key_Backspace || (printable && !digit)) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tevra
