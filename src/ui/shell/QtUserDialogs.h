#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <vector>

#include "link/DriveLink.h"
#include "shell/UserDialogs.h"

class QMessageBox;

namespace tevra {

// Message boxes and questions as Qt message boxes, parented to the active window, with the
// caption and icon of each call. Also the error box of ReadWordReported.
//
// Non-blocking mode (tests, screenshots): messages open without a local event loop and stay
// open until closed; questions are answered from `answers` (then `defaultAnswer`) without
// showing anything. Every call is recorded in `shown`.
class QtUserDialogs : public UserDialogs, public ReadFailureReporter {
  public:
    void showMessage(const QString& text, const QString& caption, MessageIcon icon) override;
    bool askYesNo(const QString& text, const QString& caption, MessageIcon icon) override;
    void reportReadFailure(const QString& text, const QString& caption) override;

    void setNonBlocking(bool nonBlocking) { nonBlocking_ = nonBlocking; }
    // The window a box belongs to when no window of the program is active (the main window).
    void setDefaultParent(QWidget* parent) { defaultParent_ = parent; }
    bool nonBlocking() const { return nonBlocking_; }

    struct Shown {
        QString text;
        QString caption;
        MessageIcon icon;
        bool question;
    };
    std::vector<Shown> shown;
    std::deque<bool> answers;
    bool defaultAnswer = true;

    // A message box of the given icon, parented to the active window.
    QMessageBox* createBox(const QString& text, const QString& caption, MessageIcon icon) const;

  private:
    bool nonBlocking_ = false;
    QPointer<QWidget> defaultParent_;
};

}  // namespace tevra
