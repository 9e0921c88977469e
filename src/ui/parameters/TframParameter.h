#pragma once

#include <QWidget>

namespace tevra {

struct AppContext;

// The parameter page. Its top panel pnlConnect hosts the connection page.
class TframParameter : public QWidget {
    Q_OBJECT
  public:
    TframParameter(AppContext& ctx, QWidget* parent);

    // The top panel the main window puts the connection page into.
    QWidget* pnlConnect() const { return pnlConnect_; }

    // The main window's key hook: called for every key press while the link is connected,
    // whatever page is showing, before the main window's own hot keys. digit is the
    // main-keyboard digit 0..9 of the key (also with Shift held), or -1. Returns true
    // when the key was used (the main window then swallows it).
    bool MainKeyDown(int digit, Qt::KeyboardModifiers modifiers);

  private:
    [[maybe_unused]] AppContext& ctx_;
    QWidget* pnlConnect_ = nullptr;
};

}  // namespace tevra
