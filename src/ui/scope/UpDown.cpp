#include "scope/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tevra {

UpDown::UpDown(int minimum, int maximum, QWidget* parent, int upStep)
    : QWidget(parent), min_(minimum), max_(maximum), upStep_(upStep) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(16, 10);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    setFixedSize(16, 20);
    connect(up_, &QToolButton::clicked, this, [this] { step(upStep_); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-upStep_); });
    position_ = std::clamp(0, min_, max_);
}

void UpDown::setPosition(int position) {
    position_ = std::clamp(position, min_, std::max(min_, max_));
}

void UpDown::setRange(int minimum, int maximum) {
    min_ = minimum;
    max_ = maximum;
    setPosition(position_);
}

void UpDown::step(int steps) {
    const int next = std::clamp(position_ + steps, min_, std::max(min_, max_));
    if (next == position_) {
        return;
    }
    position_ = next;
    Q_EMIT clicked(position_);
}

}  // namespace tevra
