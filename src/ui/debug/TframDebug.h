#pragma once

#include <QWidget>

namespace tevra {

struct AppContext;

// The internal debug page: DSP registers, monitor list and register edit.
class TframDebug : public QWidget {
    Q_OBJECT
  public:
    TframDebug(AppContext& ctx, QWidget* parent);

  private:
    [[maybe_unused]] AppContext& ctx_;
};

}  // namespace tevra
