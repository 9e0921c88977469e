#pragma once

#include "shell/PageWindow.h"

namespace tevra {

struct AppContext;

// The window "报警信息" that shows the alarm page; sizable, its size kept in Config.ini
// section frmSvoErr (Width 426, Height 500 by default).
class TfrmSvoErr : public PageWindow {
    Q_OBJECT
  public:
    TfrmSvoErr(AppContext& ctx, QWidget* parent);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    AppContext& ctx_;
};

}  // namespace tevra
