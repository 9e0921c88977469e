#include "shell/TfrmCommSet.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/AppContext.h"
#include "shell/SerialTimeoutSettings.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"

namespace tevra {
namespace {

struct Row {
    const char* label;
    const char16_t* hint;
};

// In the order of serial_timeouts::KeyNames().
constexpr Row kRows[] = {
    {"[ReadInterval]",
     u"读间隔超时(毫秒)"
     u"：接收两个字节之间允许的最长时间；超过此时间，读操作结束并返回已收到的字节。"},
    {"[ReadTotalConstant]", u"读总超时常量(毫秒)：每次读操作的总超时时间中固定加上的部分。"},
    {"[ReadTotalMultiplier]",
     u"读总超时系数(毫秒)：每次读操作的总超时时间中，按每个要读的字节加上的时间。"},
    {"[WriteTotalConstant]", u"写总超时常量(毫秒)：每次写操作的总超时时间中固定加上的部分。"},
    {"[WriteTotalMultiplier]",
     u"写总超时系数(毫秒)：每次写操作的总超时时间中，按每个要写的字节加上的时间。"},
};

}  // namespace

TfrmCommSet::TfrmCommSet(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmCommSet"));
    setWindowTitle(QStringLiteral(u"通信设置"));
    setModal(true);
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < serial_timeouts::kCount; ++i) {
        auto* label = new QLabel(QString::fromLatin1(kRows[i].label), this);
        label->setToolTip(QString::fromUtf16(kRows[i].hint));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(serial_timeouts::KeyNames()[static_cast<size_t>(i)]);
        edit->setToolTip(label->toolTip());
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        edits_[static_cast<size_t>(i)] = edit;
    }
    btnConfirm1_ = new QPushButton(QStringLiteral(u"设置"), this);
    btnConfirm1_->setObjectName(QStringLiteral("btnConfirm1"));
    btnConfirm1_->setDefault(true);
    grid->addWidget(btnConfirm1_, serial_timeouts::kCount, 1, Qt::AlignRight);
    connect(btnConfirm1_, &QPushButton::clicked, this, &TfrmCommSet::Confirm);

    // At start-up: the stored time-outs go into the edits and onto the port.
    const serial_timeouts::Texts texts = serial_timeouts::Load(ctx_.config);
    for (int i = 0; i < serial_timeouts::kCount; ++i) {
        edits_[static_cast<size_t>(i)]->setText(texts[static_cast<size_t>(i)]);
    }
    if (ctx_.link) {
        serial_timeouts::Apply(texts, ctx_.link->port());
    }
}

void TfrmCommSet::showEvent(QShowEvent* event) {
    if (ctx_.link) {
        const serial_timeouts::Texts texts =
            serial_timeouts::FromPort(ctx_.link->port().timeouts());
        for (int i = 0; i < serial_timeouts::kCount; ++i) {
            edits_[static_cast<size_t>(i)]->setText(texts[static_cast<size_t>(i)]);
        }
    }
    QDialog::showEvent(event);
}

void TfrmCommSet::Confirm() {
    serial_timeouts::Texts texts;
    for (int i = 0; i < serial_timeouts::kCount; ++i) {
        texts[static_cast<size_t>(i)] = edits_[static_cast<size_t>(i)]->text();
    }
    const bool ok = ctx_.link && serial_timeouts::Confirm(texts, ctx_.config, ctx_.link->port());
    if (ctx_.dialogs) {
        ctx_.dialogs->showMessage(TipMessages()[ok ? 43 : 44], caption::information(),
                                  MessageIcon::Information);
    }
    if (ok) {
        accept();
    }
}

}  // namespace tevra
