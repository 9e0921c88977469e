#pragma once

#include "link/DriveLink.h"
#include "shell/UserDialogs.h"

namespace tevra {

// The read-failure box of ReadWordReported as an error message box.
class DialogReadFailures : public ReadFailureReporter {
  public:
    explicit DialogReadFailures(UserDialogs& dialogs) : dialogs_(dialogs) {}
    void reportReadFailure(const QString& text, const QString& caption) override {
        dialogs_.showMessage(text, caption, MessageIcon::Error);
    }

  private:
    UserDialogs& dialogs_;
};

}  // namespace tevra
