#include "shell/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>

namespace tevra {

WindowDragger::WindowDragger(QWidget* handle, QWidget* window) : QObject(handle), window_(window) {
    handle->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton) {
                dragging_ = true;
                dragOffset_ = me->globalPosition().toPoint() - window_->frameGeometry().topLeft();
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (dragging_) {
                window_->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() -
                              dragOffset_);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tevra
