#include "shell/PageWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevra {

PageWindow::PageWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(false);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    auto* layout = new QVBoxLayout(this);
    pnlClient_ = new QWidget(this);
    pnlClient_->setObjectName(QStringLiteral("pnlClient"));
    auto* clientLayout = new QVBoxLayout(pnlClient_);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnlClient_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnConfirm_ = new QPushButton(QStringLiteral(u"确定"), this);
    btnConfirm_->setObjectName(QStringLiteral("btnConfirm"));
    buttons->addWidget(btnConfirm_);
    layout->addLayout(buttons);
    connect(btnConfirm_, &QPushButton::clicked, this, &QDialog::accept);
}

void PageWindow::hostPage(QWidget* page) {
    if (page->parentWidget() != pnlClient_) {
        page->setParent(pnlClient_);
        pnlClient_->layout()->addWidget(page);
    }
    page->show();
}

}  // namespace tevra
