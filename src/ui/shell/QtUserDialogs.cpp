#include "shell/QtUserDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace tevra {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QMessageBox* QtUserDialogs::createBox(const QString& text, const QString& caption,
                                      MessageIcon icon) const {
    QWidget* parent = QApplication::activeWindow();
    if (!parent) {
        parent = defaultParent_;
    }
    auto* box = new QMessageBox(toQt(icon), caption, text, QMessageBox::NoButton, parent);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

void QtUserDialogs::showMessage(const QString& text, const QString& caption, MessageIcon icon) {
    shown.push_back({text, caption, icon, false});
    QMessageBox* box = createBox(text, caption, icon);
    box->setStandardButtons(QMessageBox::Ok);
    if (nonBlocking_) {
        box->open();
        return;
    }
    box->exec();
}

bool QtUserDialogs::askYesNo(const QString& text, const QString& caption, MessageIcon icon) {
    shown.push_back({text, caption, icon, true});
    if (nonBlocking_) {
        if (answers.empty()) {
            return defaultAnswer;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QMessageBox* box = createBox(text, caption, icon);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    const bool yes = box->exec() == QMessageBox::Yes;
    delete box;
    return yes;
}

void QtUserDialogs::reportReadFailure(const QString& text, const QString& caption) {
    showMessage(text, caption, MessageIcon::Error);
}

}  // namespace tevra
