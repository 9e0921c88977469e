#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace tevra {

struct AppContext;

// The serial time-out dialog "通信设置" (Config.ini section TimesOut1).
class TfrmCommSet : public QDialog {
    Q_OBJECT
  public:
    TfrmCommSet(AppContext& ctx, QWidget* parent);

    QLineEdit* edit(int index) const { return edits_[static_cast<size_t>(index)]; }
    // btnConfirm1: save, apply and verify; closes on success.
    void Confirm();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    AppContext& ctx_;
    std::array<QLineEdit*, 5> edits_{};
    QPushButton* btnConfirm1_ = nullptr;
};

}  // namespace tevra
