#pragma once

#include "shell/PageWindow.h"

namespace tevra {

struct AppContext;

// The window "系统状态" that shows the monitor page: fixed size, centred on the main window.
class TfrmMoni : public PageWindow {
    Q_OBJECT
  public:
    TfrmMoni(AppContext& ctx, QWidget* parent);

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace tevra
