#pragma once

#include <QTimer>
#include <QWidget>

#include "shell/LoginLogic.h"
#include "shell/StartupProgress.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tevra {

struct AppContext;

// The login window: a borderless picture with rounded corners, always on top and centred,
// that confirms the permission level. Its password controls are hidden until F6 or a click
// on the small marker label; with a remembered password it confirms itself on the 41st tick
// of its 1 ms timer. It also shows the progress while the other windows are created.
class TStartupIM : public QWidget, public StartupProgress {
    Q_OBJECT
  public:
    static constexpr int kWidth = 547;
    static constexpr int kHeight = 390;

    explicit TStartupIM(AppContext& ctx, QWidget* parent = nullptr);
    ~TStartupIM() override;

    // The confirm action (Enter, the confirm button, the automatic confirmation).
    void Confirm();
    // The exit action (the exit button, Escape): ends without confirming.
    void ExitLogin();
    // The marker label's click: toggles the password controls together.
    void BackdoorLabClick();
    // F6: shows or hides the password controls and stops the automatic confirmation.
    void F6Pressed();

    // Whether closing the window writes the login settings (the demo mode does not).
    void setSaveSettingsOnClose(bool save) { saveOnClose_ = save; }

    // Whether the password box is still enabled (the program main waits while it is).
    bool waitingForLogin() const;
    void setTitleText(const QString& text);

    // StartupProgress
    void setProgressText(const QString& text) override;
    void appendProgressDot() override;

    QLabel* TitleMesLabel() const { return TitleMesLabel_; }
    QLabel* BackdoorLab() const { return BackdoorLab_; }
    QLineEdit* PasswordEdit() const { return PasswordEdit_; }
    QCheckBox* AutoPassWord() const { return AutoPassWord_; }
    QTimer& timer1() { return timer1_; }
    // Runs one tick of the automatic confirmation (the timer calls it).
    void Timer1Tick();

  Q_SIGNALS:
    // The password box was disabled: by a confirmation or by the exit action.
    void loginFinished();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void disablePassword();
    void repaintTitle();

    AppContext& ctx_;
    login::AutoConfirm autoConfirm_;
    QTimer timer1_;
    bool closedOnce_ = false;
    bool saveOnClose_ = true;

    QLabel* Image1_ = nullptr;
    QLabel* TitleMesLabel_ = nullptr;
    QLabel* BackdoorLab_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLineEdit* PasswordEdit_ = nullptr;
    QCheckBox* AutoPassWord_ = nullptr;
    QPushButton* ConfiSpbtn_ = nullptr;
    QPushButton* ExitSpbtn_ = nullptr;
};

}  // namespace tevra
