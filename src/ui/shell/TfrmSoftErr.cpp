#include "shell/TfrmSoftErr.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevra {

TfrmSoftErr::TfrmSoftErr(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSoftErr"));
    setWindowTitle(QStringLiteral(u"Vymo系统错误"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    mmError_ = new QPlainTextEdit(this);
    mmError_->setObjectName(QStringLiteral("mmError"));
    mmError_->setReadOnly(true);
    layout->addWidget(mmError_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnOk_ = new QPushButton(QStringLiteral(u"确  定"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    buttons->addWidget(btnOk_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    setFocusProxy(btnOk_);
    btnOk_->setFocus();
    resize(460, 220);
}

void TfrmSoftErr::addLine(const QString& line) {
    mmError_->appendPlainText(line);
}

void TfrmSoftErr::closeEvent(QCloseEvent* event) {
    // Only the button closes the window.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace tevra
