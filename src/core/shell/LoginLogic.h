#pragma once

#include <QString>

namespace tevra {

class IniFile;

// The permission passwords and the login window's rules that do not need a window.
namespace login {

// Trimmed password text that gives the administrator level at login.
inline constexpr char16_t kAdministratorPassword[] = u"47318";
// Trimmed password text of the developer-tool permission dialog.
inline constexpr char16_t kDeveloperToolPassword[] = u"91536047";
// The automatic confirmation runs on the tick after this many.
inline constexpr int kAutoConfirmTicks = 40;

bool IsAdministratorPassword(const QString& text);
bool IsDeveloperToolPassword(const QString& text);
// The hint of the developer-tool password box: "密码提示：" + first two digits + "...".
QString DeveloperToolPasswordHint();

// Config.ini: Systemset/AutoPassWordChecked (default true), Systemset/kk (default empty),
// SofwareMessage/bUser (default true).
struct Settings {
    bool AutoPassWordChecked = true;
    QString kk;  // trimmed
    bool bUser = true;
};
Settings LoadSettings(const IniFile& config);

// The close step: kk is the password text when the remember box is ticked, else empty.
void SaveSettings(IniFile& config, bool rememberChecked, const QString& passwordText,
                  bool backdoorVisible);

// The automatic confirmation of the login window's 1 ms timer.
class AutoConfirm {
  public:
    enum class Action {
        None,       // keep ticking
        Confirm,    // run the confirm action now
        StopTimer,  // switch the timer off
    };
    // One timer tick.
    Action tick(bool mainReady);
    // F6: stops the automatic confirmation.
    void f6Pressed() { f6Pressed_ = true; }
    bool wasF6Pressed() const { return f6Pressed_; }
    int ticks() const { return ticks_; }

  private:
    int ticks_ = 0;
    bool f6Pressed_ = false;
};

}  // namespace login
}  // namespace tevra
