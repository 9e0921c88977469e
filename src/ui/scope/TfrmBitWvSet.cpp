#include "scope/TfrmBitWvSet.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "scope/BitMode.h"
#include "scope/WaveModel.h"
#include "shell/UserDialogs.h"

namespace tevra {

TfrmBitWvSet::TfrmBitWvSet(WaveModel& model, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmBitWvSet"));
    setWindowTitle(QStringLiteral("位方式"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int n = 0; n < 4; ++n) {
        auto* box = new QCheckBox(QStringLiteral("CH%1").arg(n + 1), this);
        box->setObjectName(QStringLiteral("WveBit1_%1").arg(n + 1));
        auto* bit = new QComboBox(this);
        bit->setObjectName(QStringLiteral("cbbxBit1_%1").arg(n + 1));
        for (int b = 0; b < 32; ++b) {
            bit->addItem(QStringLiteral("Bit%1").arg(b));
        }
        // The bit number is read at every extraction: a new choice shows at the next tick.
        connect(bit, &QComboBox::currentIndexChanged, this, [this, n](int index) {
            if (index >= 0) {
                model_.Channels[n].BitNumber = index;
            }
        });
        grid->addWidget(box, n, 0);
        grid->addWidget(bit, n, 1);
        boxes_[n] = box;
        bits_[n] = bit;
    }
    layout->addLayout(grid);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("pnlBottom"));
    bottom->setAutoFillBackground(true);
    auto* buttons = new QHBoxLayout(bottom);
    auto* confirm = new QPushButton(QStringLiteral("确 认 &P"), bottom);
    confirm->setObjectName(QStringLiteral("ConfirmBtn"));
    confirm->setToolTip(QStringLiteral("打开位方式。"));
    auto* apply = new QPushButton(QStringLiteral("应用 &A"), bottom);
    apply->setObjectName(QStringLiteral("ApplyBtn"));
    apply->setToolTip(QStringLiteral("应用位模式。"));
    auto* cancel = new QPushButton(QStringLiteral("取消 &C"), bottom);
    cancel->setObjectName(QStringLiteral("CancleBtn"));
    cancel->setToolTip(QStringLiteral("取消位模式。"));
    for (QPushButton* b : {confirm, apply, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addWidget(bottom);

    connect(confirm, &QPushButton::clicked, this, [this] {
        std::array<bool, kWaveChannels> boxes{};
        for (int n = 0; n < 4; ++n) {
            boxes[n] = boxes_[n]->isChecked();
        }
        const bool running = captureRunning && captureRunning();
        if (running) {
            deferred_ = true;
        }
        const bool any = tevra::confirmBitMode(model_, boxes, dialogs_, running);
        Q_EMIT bitModeChanged();
        if (any) {
            closeByButton();
        }
    });
    connect(apply, &QPushButton::clicked, this, [this] {
        copyBoxesToFlags();
        if (captureRunning && captureRunning()) {
            deferred_ = true;
        } else {
            applyBitMode(model_);
        }
        Q_EMIT bitModeChanged();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        cancelBitMode();
        closeByButton();
    });
    loadFromModel();
}

void TfrmBitWvSet::loadFromModel() {
    for (int n = 0; n < 4; ++n) {
        boxes_[n]->setChecked(model_.Channels[n].BitMode);
        bits_[n]->setCurrentIndex(std::clamp(model_.Channels[n].BitNumber, 0, 31));
    }
}

void TfrmBitWvSet::copyBoxesToFlags() {
    for (int n = 0; n < 4; ++n) {
        model_.Channels[n].BitMode = boxes_[n]->isChecked();
    }
}

void TfrmBitWvSet::cancelBitMode() {
    for (QCheckBox* box : boxes_) {
        box->setChecked(false);
    }
    if (captureRunning && captureRunning()) {
        for (WaveChannel& c : model_.Channels) {
            c.BitMode = false;
        }
        deferred_ = true;
    } else {
        tevra::cancelBitMode(model_);
    }
    Q_EMIT bitModeChanged();
}

void TfrmBitWvSet::captureEnded() {
    if (deferred_) {
        deferred_ = false;
        applyBitMode(model_);
        Q_EMIT bitModeChanged();
    }
}

void TfrmBitWvSet::closeByButton() {
    closing_ = true;
    if (isModal() && isVisible()) {
        done(QDialog::Accepted);
    } else {
        close();
    }
    closing_ = false;
}

void TfrmBitWvSet::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        event->ignore();  // Alt+F4 and the title bar's close do nothing
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmBitWvSet::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (onHelp) {
            onHelp();
        }
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tevra
