#pragma once

#include <QDialog>

class QLineEdit;

namespace tevra {

struct AppContext;

// The developer-tool permission dialog "权限校验": an 8-digit password that sets
// DeveloperToolPermission for the run. Alt+F4 does nothing.
class TfrmToolWord : public QDialog {
    Q_OBJECT
  public:
    TfrmToolWord(AppContext& ctx, QWidget* parent);

    QLineEdit* PassWordEdit() const { return PassWordEdit_; }
    void Confirm();
    void Cancel();

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    AppContext& ctx_;
    QLineEdit* PassWordEdit_ = nullptr;
};

}  // namespace tevra
