#pragma once

#include "shell/PageWindow.h"

namespace tevra {

struct AppContext;

// The window "零漂校正" that shows the zero-drift page.
class TfrmZero : public PageWindow {
    Q_OBJECT
  public:
    TfrmZero(AppContext& ctx, QWidget* parent);
};

}  // namespace tevra
