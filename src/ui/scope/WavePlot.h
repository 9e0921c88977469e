#pragma once

#include <QImage>
#include <QWidget>

namespace tevra {

// The plot paint box pbWave: shows the image the renderer drew and reports the mouse in
// plot coordinates. The page decides what the mouse does.
class WavePlot : public QWidget {
    Q_OBJECT
  public:
    explicit WavePlot(QWidget* parent);

    void setImage(const QImage* image) { image_ = image; }

  Q_SIGNALS:
    void mousePressed(int x, int y, bool rightButton, QPoint globalPos);
    void mouseMoved(int x, int y);
    void mouseReleased(int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const QImage* image_ = nullptr;
};

}  // namespace tevra
