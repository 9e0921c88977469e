#pragma once

#include <QColor>
#include <QWidget>

namespace tevra {

// A round indicator lamp: a filled circle with a thin dark rim.
class LampShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
  public:
    explicit LampShape(QWidget* parent = nullptr, int diameter = 14);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

    QSize sizeHint() const override;

    // The standard lamp colours.
    static QColor grey() { return QColor(0x80, 0x80, 0x80); }
    static QColor lime() { return QColor(0x00, 0xFF, 0x00); }
    static QColor red() { return QColor(0xFF, 0x00, 0x00); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_ = grey();
    int diameter_;
};

}  // namespace tevra
