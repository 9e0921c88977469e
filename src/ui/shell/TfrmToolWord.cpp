#include "shell/TfrmToolWord.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/AppContext.h"
#include "shell/DialogButtons.h"
#include "shell/LoginLogic.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"

namespace tevra {

TfrmToolWord::TfrmToolWord(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmToolWord"));
    setWindowTitle(QStringLiteral(u"权限校验"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(u"请输入8位密码"), this));
    PassWordEdit_ = new QLineEdit(this);
    PassWordEdit_->setObjectName(QStringLiteral("PassWordEdit"));
    PassWordEdit_->setMaxLength(8);
    PassWordEdit_->setEchoMode(QLineEdit::Password);
    PassWordEdit_->setToolTip(login::DeveloperToolPasswordHint());
    layout->addWidget(PassWordEdit_);
    const DialogButtons buttons =
        AddDialogButtons(this, layout, QStringLiteral(u"确认"), QStringLiteral("btnConfirm"));
    buttons.confirm->setDefault(true);
    connect(buttons.confirm, &QPushButton::clicked, this, &TfrmToolWord::Confirm);
    connect(buttons.cancel, &QPushButton::clicked, this, &TfrmToolWord::Cancel);
}

void TfrmToolWord::showEvent(QShowEvent* event) {
    PassWordEdit_->clear();
    PassWordEdit_->setFocus();
    QDialog::showEvent(event);
}

void TfrmToolWord::Confirm() {
    if (login::IsDeveloperToolPassword(PassWordEdit_->text())) {
        ctx_.DeveloperToolPermission = true;
        accept();
        return;
    }
    ctx_.DeveloperToolPermission = false;
    if (ctx_.dialogs) {
        ctx_.dialogs->showMessage(QStringLiteral(u"密码错误，请重新输入！"), caption::information(),
                                  MessageIcon::Error);
    }
}

void TfrmToolWord::Cancel() {
    reject();
}

void TfrmToolWord::reject() {
    ctx_.DeveloperToolPermission = false;
    QDialog::reject();
}

void TfrmToolWord::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace tevra
