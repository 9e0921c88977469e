#pragma once

#include <QWidget>

namespace tevra {

struct AppContext;

// The iPLC page: the drive's eight positioning segments.
class TframLPCM : public QWidget {
    Q_OBJECT
  public:
    TframLPCM(AppContext& ctx, QWidget* parent);

  private:
    [[maybe_unused]] AppContext& ctx_;
};

}  // namespace tevra
