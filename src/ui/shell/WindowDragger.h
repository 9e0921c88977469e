#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace tevra {

// Lets the user move a frameless window by dragging one of its widgets with the left
// button. Installed as an event filter on that widget; other events pass through.
class WindowDragger : public QObject {
  public:
    WindowDragger(QWidget* handle, QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QPoint dragOffset_;
    bool dragging_ = false;
};

}  // namespace tevra
