#include "shell/LampShape.h"

#include <QPainter>

namespace tevra {

LampShape::LampShape(QWidget* parent, int diameter) : QWidget(parent), diameter_(diameter) {
    setFixedSize(diameter, diameter);
}

void LampShape::setColor(const QColor& color) {
    if (color_ != color) {
        color_ = color;
        update();
    }
}

QSize LampShape::sizeHint() const {
    return {diameter_, diameter_};
}

void LampShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color_.darker(200), 1));
    p.setBrush(color_);
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace tevra
