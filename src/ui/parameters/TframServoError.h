#pragma once

#include <QWidget>

namespace tevra {

struct AppContext;

// The alarm page: the drive's alarm codes and which are active (shown in TfrmSvoErr).
class TframServoError : public QWidget {
    Q_OBJECT
  public:
    TframServoError(AppContext& ctx, QWidget* parent);

  private:
    [[maybe_unused]] AppContext& ctx_;
};

}  // namespace tevra
