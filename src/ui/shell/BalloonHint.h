#pragma once

#include <QString>
#include <QWidget>

class QMouseEvent;

namespace tevra {

// Balloon icons: 0 none, 1 information, 2 warning, 3 error; any other value counts as 0.
enum BalloonIcon { BalloonNone = 0, BalloonInfo = 1, BalloonWarning = 2, BalloonError = 3 };

// A balloon tooltip window with a title (and its icon) above the text; its stem points at
// the spot it was shown for.
class BalloonHint : public QWidget {
    Q_OBJECT
  public:
    BalloonHint(const QString& text, int icon, const QString& title, QWidget* owner);

    QString text() const { return text_; }
    QString title() const { return title_; }
    int icon() const { return icon_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QString text_;
    QString title_;
    int icon_;
};

// Shows a balloon 10 pixels right of and 12 pixels below the top-left corner of the control
// for the duration, then removes it. It does not wait: the program keeps running and the
// balloon closes itself. A newer balloon replaces an older one still showing.
BalloonHint* ShowBalloonHint(QWidget* control, const QString& text, int durationMs, int icon,
                             const QString& title);

}  // namespace tevra
