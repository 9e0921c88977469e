#pragma once

#include <QString>

namespace tevra {

enum class MessageIcon { None, Information, Warning, Error };

// What the core asks of the user: modal message boxes and Yes/No questions. The windows
// implement it with message boxes, the command-line tools with flags and standard output,
// and the tests with a recorder that answers from a script.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    virtual void showMessage(const QString& text, const QString& caption, MessageIcon icon) = 0;
    // true for Yes.
    virtual bool askYesNo(const QString& text, const QString& caption, MessageIcon icon) = 0;
};

}  // namespace tevra
