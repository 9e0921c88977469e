#pragma once

#include <QWidget>

namespace tevra {

struct AppContext;

// The monitor page: live values with their units (shown in TfrmMoni).
class TframMonitor : public QWidget {
    Q_OBJECT
  public:
    TframMonitor(AppContext& ctx, QWidget* parent);

  private:
    [[maybe_unused]] AppContext& ctx_;
};

}  // namespace tevra
