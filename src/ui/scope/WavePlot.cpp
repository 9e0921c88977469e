#include "scope/WavePlot.h"

#include <QMouseEvent>
#include <QPainter>

#include "scope/WaveRenderer.h"

namespace tevra {

WavePlot::WavePlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pbWave"));
    setFixedSize(WaveRenderer::kImageWidth, WaveRenderer::kImageHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WavePlot::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (image_) {
        p.drawImage(event->rect(), *image_, event->rect());
    } else {
        p.fillRect(event->rect(), palette().button());
    }
}

void WavePlot::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    Q_EMIT mousePressed(pos.x(), pos.y(), event->button() == Qt::RightButton,
                        event->globalPosition().toPoint());
}

void WavePlot::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    Q_EMIT mouseMoved(pos.x(), pos.y());
}

void WavePlot::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    Q_EMIT mouseReleased(pos.x(), pos.y());
}

}  // namespace tevra
