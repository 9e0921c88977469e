#include "shell/BalloonHint.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyle>
#include <QTimer>

namespace tevra {
namespace {

constexpr int kStem = 10;
constexpr int kPad = 8;
constexpr int kIconSize = 16;
constexpr int kMaxTextWidth = 320;

QPointer<BalloonHint>& current() {
    static QPointer<BalloonHint> balloon;
    return balloon;
}

QIcon iconFor(int icon) {
    QStyle* style = QApplication::style();
    switch (icon) {
        case BalloonInfo:
            return style->standardIcon(QStyle::SP_MessageBoxInformation);
        case BalloonWarning:
            return style->standardIcon(QStyle::SP_MessageBoxWarning);
        case BalloonError:
            return style->standardIcon(QStyle::SP_MessageBoxCritical);
        default:
            return QIcon();
    }
}

}  // namespace

BalloonHint::BalloonHint(const QString& text, int icon, const QString& title, QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      text_(text),
      title_(title),
      icon_((icon >= BalloonNone && icon <= BalloonError) ? icon : BalloonNone) {
    setObjectName(QStringLiteral("balloonHint"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(font());
    const QFontMetrics fmb(bold);
    const QRect textRect =
        fm.boundingRect(QRect(0, 0, kMaxTextWidth, 1000), Qt::TextWordWrap, text_);
    int titleWidth = fmb.horizontalAdvance(title_);
    if (icon_ != BalloonNone) {
        titleWidth += kIconSize + 6;
    }
    const int titleHeight =
        title_.isEmpty() && icon_ == BalloonNone ? 0 : std::max(kIconSize, fmb.height()) + 4;
    const int w = std::max(textRect.width(), titleWidth) + 2 * kPad;
    const int h = titleHeight + textRect.height() + 2 * kPad + kStem;
    resize(std::max(w, 60), h);
}

void BalloonHint::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, kStem + 0.5, width() - 1.0, height() - kStem - 1.0);
    QPainterPath path;
    path.addRoundedRect(body, 6, 6);
    QPainterPath stem;
    stem.moveTo(4, kStem + 1);
    stem.lineTo(0.5, 0.5);
    stem.lineTo(kStem + 8, kStem + 1);
    stem.closeSubpath();
    path = path.united(stem);
    p.setPen(QPen(QColor(0x76, 0x76, 0x76), 1));
    p.setBrush(palette().toolTipBase());
    p.drawPath(path);

    int y = kStem + kPad;
    int x = kPad;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fmb(bold);
    if (icon_ != BalloonNone || !title_.isEmpty()) {
        const int lineHeight = std::max(kIconSize, fmb.height());
        if (icon_ != BalloonNone) {
            iconFor(icon_).paint(&p,
                                 QRect(x, y + (lineHeight - kIconSize) / 2, kIconSize, kIconSize));
            x += kIconSize + 6;
        }
        p.setFont(bold);
        p.setPen(palette().toolTipText().color());
        p.drawText(QRect(x, y, width() - x - kPad, lineHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   title_);
        y += lineHeight + 4;
    }
    p.setFont(font());
    p.setPen(palette().toolTipText().color());
    p.drawText(QRect(kPad, y, width() - 2 * kPad, height() - y - kPad), Qt::TextWordWrap, text_);
}

void BalloonHint::mousePressEvent(QMouseEvent*) {
    close();
}

BalloonHint* ShowBalloonHint(QWidget* control, const QString& text, int durationMs, int icon,
                             const QString& title) {
    if (current()) {
        current()->close();
    }
    auto* balloon = new BalloonHint(text, icon, title, control ? control->window() : nullptr);
    const QPoint at = control ? control->mapToGlobal(QPoint(10, 12)) : QPoint(0, 0);
    balloon->move(at);
    balloon->show();
    current() = balloon;
    QPointer<BalloonHint> guard(balloon);
    QTimer::singleShot(std::max(durationMs, 0), balloon, [guard] {
        if (guard) {
            guard->close();
        }
    });
    return balloon;
}

}  // namespace tevra
