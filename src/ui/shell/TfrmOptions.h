#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tevra {

struct AppContext;

// The Options dialog "选项" (Config.ini section frmOptions).
class TfrmOptions : public QDialog {
    Q_OBJECT
  public:
    TfrmOptions(AppContext& ctx, QWidget* parent);

    // The source-change action of the wave page's four channel selectors, run when the
    // automatic data-type mode is confirmed.
    void setSourceChangeAction(std::function<void()> action) { sourceChange_ = std::move(action); }
    // Called with the new Timer2 interval whenever the options are applied.
    void setTimer2IntervalHandler(std::function<void(int)> handler) {
        timer2Changed_ = std::move(handler);
    }

    // Load: from Config.ini into the controls, and applied.
    void LoadOptions();
    // btnConfirm and btnCancel.
    void Confirm();
    void Cancel();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& ctx_;
    std::function<void()> sourceChange_;
    std::function<void(int)> timer2Changed_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* edtCommErrMax_ = nullptr;
    QLineEdit* edtScanTime_ = nullptr;
    QLineEdit* edtCalcimineFrqncy_ = nullptr;
    QLineEdit* edtWaveCommErrMax_ = nullptr;
    QRadioButton* rdbtnDataAutoAdapt_ = nullptr;
    QRadioButton* rdbtnDataHandworkAdapt_ = nullptr;
};

}  // namespace tevra
