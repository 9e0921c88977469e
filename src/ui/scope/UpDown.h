#pragma once

#include <QWidget>

class QToolButton;

namespace tevra {

// A pair of arrow buttons holding a position within a range (the up-downs beside the
// range, length and shift controls). The up arrow adds `upStep` (+1 or −1).
class UpDown : public QWidget {
    Q_OBJECT
  public:
    UpDown(int minimum, int maximum, QWidget* parent, int upStep = 1);

    int position() const { return position_; }
    // Sets the position without emitting clicked().
    void setPosition(int position);
    void setRange(int minimum, int maximum);
    int minimum() const { return min_; }
    int maximum() const { return max_; }

    // As a click on an arrow: moves by `steps` within the range and emits clicked().
    void step(int steps);

  Q_SIGNALS:
    void clicked(int position);

  private:
    int min_;
    int max_;
    int upStep_;
    int position_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace tevra
