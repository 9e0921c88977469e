#include "debug/TfrmDTSet.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/BalloonHint.h"
#include "shell/TipMessages.h"

namespace tevra {

namespace {

QRadioButton* radio(const char* name, const QString& text, const QString& hint, QWidget* parent) {
    auto* b = new QRadioButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    return b;
}

QComboBox* qCombo(const char* name, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    for (int q = 0; q <= sample_type::kMaxQ; ++q) {
        c->addItem(QString::number(q));
    }
    c->setCurrentIndex(-1);
    return c;
}

}  // namespace

TfrmDTSet::TfrmDTSet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDTSet"));
    setWindowTitle(QStringLiteral("数据类型设置"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    group_ = new QGroupBox(QStringLiteral("CH1"), this);
    group_->setObjectName(QStringLiteral("grbxDatType"));
    auto* grid = new QGridLayout(group_);
    int16_ = radio("rdbtnInt16", QStringLiteral("int16"), QStringLiteral("有符号16位。"), group_);
    uint16_ =
        radio("rdbtnUint16", QStringLiteral("uint16"), QStringLiteral("无符号16位。"), group_);
    int32_ = radio("rdbtnInt32", QStringLiteral("int32"), QStringLiteral("有符号32位。"), group_);
    uint32_ =
        radio("rdbtnUint32", QStringLiteral("uint32"), QStringLiteral("无符号32位。"), group_);
    float32_ = radio("rdbtnFloat32", QStringLiteral("float32"), QStringLiteral("浮点型。"), group_);
    iq_ = radio("rdbtnIQ", QStringLiteral("IQ"), QStringLiteral("有符号Q格式。"), group_);
    uiq_ = radio("rdbtnuIQ", QStringLiteral("uIQ"), QStringLiteral("无符号Q格式。"), group_);
    iqCombo_ = qCombo("cbxIQ", group_);
    uiqCombo_ = qCombo("cbxuIQ", group_);
    auto* buttons = new QButtonGroup(this);
    for (QRadioButton* b : {int16_, uint16_, int32_, uint32_, float32_, iq_, uiq_}) {
        buttons->addButton(b);
        connect(b, &QRadioButton::toggled, this, [this] { takeControls(); });
    }
    grid->addWidget(int16_, 0, 0);
    grid->addWidget(uint16_, 0, 1);
    grid->addWidget(int32_, 1, 0);
    grid->addWidget(uint32_, 1, 1);
    grid->addWidget(float32_, 2, 0);
    grid->addWidget(iq_, 3, 0);
    grid->addWidget(iqCombo_, 3, 1);
    grid->addWidget(uiq_, 4, 0);
    grid->addWidget(uiqCombo_, 4, 1);
    layout->addWidget(group_);

    auto* row = new QHBoxLayout;
    auto* confirm = new QPushButton(QStringLiteral("确认"), this);
    confirm->setObjectName(QStringLiteral("btnConfirm"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* reset = new QPushButton(QStringLiteral("恢复默认"), this);
    reset->setObjectName(QStringLiteral("btnResetDT"));
    auto* help = new QPushButton(QStringLiteral("帮助"), this);
    help->setObjectName(QStringLiteral("btnHelp"));
    for (QPushButton* b : {confirm, cancel, reset, help}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addLayout(row);

    balloon = [](QWidget* control, const QString& text, const QString& title) {
        ShowBalloonHint(control, text, 1000, BalloonInfo, title);
    };

    connect(confirm, &QPushButton::clicked, this, [this] {
        takeControls();
        const auto outcome = state_->confirm(declaredType_);
        switch (outcome) {
            case DataTypeDialogState::Outcome::Accepted:
                finish(QDialog::Accepted);
                break;
            case DataTypeDialogState::Outcome::QFormatMissing:
                balloon(state_->choice() == DataTypeChoice::IQ ? iqCombo_ : uiqCombo_,
                        state_->refusalText(outcome, declaredType_), QStringLiteral("提示"));
                break;
            case DataTypeDialogState::Outcome::LengthMismatch:
                balloon(float32_, state_->refusalText(outcome, declaredType_), TipMessages()[35]);
                break;
            case DataTypeDialogState::Outcome::NothingChecked:
                break;
        }
    });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(QDialog::Rejected); });
    connect(reset, &QPushButton::clicked, this, [this] {
        takeControls();
        if (state_->restoreDefault(declaredType_)) {
            showState();
        }
    });
    prepare(0, 0, QString(), QString());
}

TfrmDTSet::~TfrmDTSet() = default;

void TfrmDTSet::prepare(int channel, uint8_t code, const QString& sourceName,
                        const QString& declaredType) {
    state_ = std::make_unique<DataTypeDialogState>(channel, code, sourceName);
    declaredType_ = declaredType;
    group_->setTitle(state_->groupTitle());
    showState();
}

uint8_t TfrmDTSet::code() const {
    return state_->code();
}

void TfrmDTSet::showState() {
    QRadioButton* checked = nullptr;
    switch (state_->choice()) {
        case DataTypeChoice::Int16:
            checked = int16_;
            break;
        case DataTypeChoice::Uint16:
            checked = uint16_;
            break;
        case DataTypeChoice::Int32:
            checked = int32_;
            break;
        case DataTypeChoice::Uint32:
            checked = uint32_;
            break;
        case DataTypeChoice::Float32:
            checked = float32_;
            break;
        case DataTypeChoice::IQ:
            checked = iq_;
            break;
        case DataTypeChoice::UIQ:
            checked = uiq_;
            break;
        case DataTypeChoice::None:
            break;
    }
    const DataTypeChoice choice = state_->choice();
    const int iq = state_->iqNumber();
    const int uiq = state_->uiqNumber();
    for (QAbstractButton* b : {int16_, uint16_, int32_, uint32_, float32_, iq_, uiq_}) {
        auto* group = b->group();
        if (group) {
            group->setExclusive(false);
        }
        b->setChecked(b == checked);
        if (group) {
            group->setExclusive(true);
        }
    }
    // Setting the buttons ran takeControls(); put the state's values back.
    state_->setChoice(choice);
    state_->setIqNumber(iq);
    state_->setUiqNumber(uiq);
    iqCombo_->setCurrentIndex(iq);
    uiqCombo_->setCurrentIndex(uiq);
    iqCombo_->setEnabled(state_->iqComboEnabled());
    uiqCombo_->setEnabled(state_->uiqComboEnabled());
}

void TfrmDTSet::takeControls() {
    if (!state_) {
        return;
    }
    DataTypeChoice choice = DataTypeChoice::None;
    if (int16_->isChecked()) {
        choice = DataTypeChoice::Int16;
    } else if (uint16_->isChecked()) {
        choice = DataTypeChoice::Uint16;
    } else if (int32_->isChecked()) {
        choice = DataTypeChoice::Int32;
    } else if (uint32_->isChecked()) {
        choice = DataTypeChoice::Uint32;
    } else if (float32_->isChecked()) {
        choice = DataTypeChoice::Float32;
    } else if (iq_->isChecked()) {
        choice = DataTypeChoice::IQ;
    } else if (uiq_->isChecked()) {
        choice = DataTypeChoice::UIQ;
    }
    state_->setChoice(choice);
    state_->setIqNumber(iqCombo_->currentIndex());
    state_->setUiqNumber(uiqCombo_->currentIndex());
    iqCombo_->setEnabled(state_->iqComboEnabled());
    uiqCombo_->setEnabled(state_->uiqComboEnabled());
}

void TfrmDTSet::finish(int result) {
    closing_ = true;
    done(result);
    closing_ = false;
}

void TfrmDTSet::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmDTSet::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tevra
