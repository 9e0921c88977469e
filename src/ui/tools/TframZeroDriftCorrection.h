#pragma once

#include <QWidget>

namespace tevra {

struct AppContext;

// The zero-drift page (shown in TfrmZero).
class TframZeroDriftCorrection : public QWidget {
    Q_OBJECT
  public:
    TframZeroDriftCorrection(AppContext& ctx, QWidget* parent);

  private:
    [[maybe_unused]] AppContext& ctx_;
};

}  // namespace tevra
