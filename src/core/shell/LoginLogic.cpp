#include "shell/LoginLogic.h"

#include "ini/IniFile.h"
#include "text/TextUtil.h"

namespace tevra::login {
namespace {

const QString kSystemset = QStringLiteral("Systemset");
const QString kSoftware = QStringLiteral("SofwareMessage");

}  // namespace

bool IsAdministratorPassword(const QString& text) {
    return trimText(text) == QStringView(kAdministratorPassword);
}

bool IsDeveloperToolPassword(const QString& text) {
    return trimText(text) == QStringView(kDeveloperToolPassword);
}

QString DeveloperToolPasswordHint() {
    return QStringLiteral(u"密码提示：") + QStringView(kDeveloperToolPassword).left(2).toString() +
           QStringLiteral("...");
}

Settings LoadSettings(const IniFile& config) {
    Settings s;
    s.AutoPassWordChecked =
        config.readBool(kSystemset, QStringLiteral("AutoPasswordChecked"), true);
    s.kk = trimText(config.readString(kSystemset, QStringLiteral("kk")));
    s.bUser = config.readBool(kSoftware, QStringLiteral("bUser"), true);
    return s;
}

void SaveSettings(IniFile& config, bool rememberChecked, const QString& passwordText,
                  bool backdoorVisible) {
    const QString saved = rememberChecked ? passwordText : QString();
    config.writeString(kSystemset, QStringLiteral("kk"), saved);
    config.writeBool(kSystemset, QStringLiteral("AutoPassWordChecked"), rememberChecked);
    config.writeBool(kSoftware, QStringLiteral("bUser"), backdoorVisible);
    config.save();
}

AutoConfirm::Action AutoConfirm::tick(bool mainReady) {
    if (mainReady || f6Pressed_) {
        return Action::StopTimer;
    }
    ++ticks_;
    return ticks_ > kAutoConfirmTicks ? Action::Confirm : Action::None;
}

}  // namespace tevra::login
