#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace tevra {

// The system error window "Vymo系统错误": the lines of the start-up check in a read-only
// memo and one button that closes it. The window's close box and Alt+F4 do nothing.
class TfrmSoftErr : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSoftErr(QWidget* parent = nullptr);

    void addLine(const QString& line);
    QPlainTextEdit* mmError() const { return mmError_; }
    QPushButton* okButton() const { return btnOk_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPlainTextEdit* mmError_ = nullptr;
    QPushButton* btnOk_ = nullptr;
};

}  // namespace tevra
