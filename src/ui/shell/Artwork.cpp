#include "shell/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tevra {
namespace {

void drawMotor(QPainter& p, const QPointF& c, double r) {
    // Housing with cooling fins.
    p.setPen(Qt::NoPen);
    QRadialGradient body(c, r);
    body.setColorAt(0.0, QColor(0x9A, 0xB4, 0xC8));
    body.setColorAt(0.85, QColor(0x4A, 0x63, 0x78));
    body.setColorAt(1.0, QColor(0x2C, 0x3E, 0x4F));
    p.setBrush(body);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(0x22, 0x33, 0x44, 160), r * 0.03));
    for (int i = 0; i < 24; ++i) {
        const double a = i * M_PI / 12.0;
        p.drawLine(QPointF(c.x() + std::cos(a) * r * 0.78, c.y() + std::sin(a) * r * 0.78),
                   QPointF(c.x() + std::cos(a) * r * 0.98, c.y() + std::sin(a) * r * 0.98));
    }
    // Flange and shaft.
    p.setPen(QPen(QColor(0xD8, 0xE4, 0xEE), r * 0.04));
    p.setBrush(QColor(0x33, 0x47, 0x59));
    p.drawEllipse(c, r * 0.62, r * 0.62);
    QRadialGradient shaft(c, r * 0.22);
    shaft.setColorAt(0.0, QColor(0xF4, 0xF8, 0xFB));
    shaft.setColorAt(1.0, QColor(0x8C, 0x9C, 0xAA));
    p.setPen(Qt::NoPen);
    p.setBrush(shaft);
    p.drawEllipse(c, r * 0.2, r * 0.2);
    // Bolt holes.
    p.setBrush(QColor(0x1B, 0x28, 0x35));
    for (int i = 0; i < 4; ++i) {
        const double a = M_PI / 4 + i * M_PI / 2;
        p.drawEllipse(QPointF(c.x() + std::cos(a) * r * 0.45, c.y() + std::sin(a) * r * 0.45),
                      r * 0.05, r * 0.05);
    }
}

}  // namespace

QPixmap LoginPicture(const QSize& size) {
    QPixmap pm(size);
    const double w = size.width();
    const double h = size.height();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0.0, QColor(0x0B, 0x2A, 0x4A));
    bg.setColorAt(0.65, QColor(0x10, 0x3C, 0x63));
    bg.setColorAt(1.0, QColor(0x06, 0x1A, 0x30));
    p.fillRect(pm.rect(), bg);

    // A faint oscilloscope grid on the right.
    const QRectF scope(w * 0.40, h * 0.12, w * 0.55, h * 0.52);
    p.setPen(QPen(QColor(0x5F, 0x9E, 0xC8, 60), 1));
    for (int i = 0; i <= 10; ++i) {
        const double x = scope.left() + scope.width() * i / 10.0;
        p.drawLine(QPointF(x, scope.top()), QPointF(x, scope.bottom()));
    }
    for (int i = 0; i <= 8; ++i) {
        const double y = scope.top() + scope.height() * i / 8.0;
        p.drawLine(QPointF(scope.left(), y), QPointF(scope.right(), y));
    }
    // Two traces: a speed step response and a sine.
    QPainterPath speed;
    QPainterPath sine;
    for (int i = 0; i <= 200; ++i) {
        const double t = i / 200.0;
        const double x = scope.left() + scope.width() * t;
        const double s = 1.0 - std::exp(-t * 9.0) * (std::cos(t * 30.0) + 0.3 * std::sin(t * 30.0));
        const double ys = scope.bottom() - scope.height() * (0.12 + 0.6 * s);
        const double yc = scope.center().y() + scope.height() * 0.28 * std::sin(t * 4 * M_PI);
        if (i == 0) {
            speed.moveTo(x, ys);
            sine.moveTo(x, yc);
        } else {
            speed.lineTo(x, ys);
            sine.lineTo(x, yc);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x3C, 0xE6, 0x8C, 200), 2.2));
    p.drawPath(sine);
    p.setPen(QPen(QColor(0xFF, 0xD2, 0x4A, 230), 2.6));
    p.drawPath(speed);

    drawMotor(p, QPointF(w * 0.20, h * 0.40), h * 0.24);

    // Product name.
    QFont big(QStringLiteral("Sans Serif"));
    big.setPixelSize(static_cast<int>(h * 0.13));
    big.setBold(true);
    big.setLetterSpacing(QFont::PercentageSpacing, 105);
    p.setFont(big);
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    p.drawText(QRectF(w * 0.42, h * 0.64, w * 0.55, h * 0.16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("TEVRA"));
    QFont small(QStringLiteral("Sans Serif"));
    small.setPixelSize(static_cast<int>(h * 0.035));
    small.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(small);
    p.setPen(QColor(0xB8, 0xD4, 0xEA));
    p.drawText(QRectF(w * 0.42, h * 0.78, w * 0.55, h * 0.05), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("AC SERVO DRIVE MONITOR"));

    // A thin accent line above the status area.
    p.setPen(QPen(QColor(0xFF, 0xD2, 0x4A, 180), 1.5));
    p.drawLine(QPointF(w * 0.04, h * 0.845), QPointF(w * 0.96, h * 0.845));
    return pm;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pm(s, s);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0x3C, 0x63));
        p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
        drawMotor(p, QPointF(s * 0.5, s * 0.5), s * 0.40);
        QPainterPath trace;
        for (int i = 0; i <= 40; ++i) {
            const double t = i / 40.0;
            const double x = s * (0.08 + 0.84 * t);
            const double y = s * (0.5 - 0.22 * std::sin(t * 2 * M_PI));
            i == 0 ? trace.moveTo(x, y) : trace.lineTo(x, y);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xFF, 0xD2, 0x4A), std::max(1.0, s / 16.0)));
        p.drawPath(trace);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

namespace {

void paintPageIcon(QPainter& p, PageIcon page, double s) {
    const QColor ink(0x1F, 0x4E, 0x79);
    const QColor accent(0xE0, 0x8A, 0x00);
    const double w = std::max(1.0, s / 14.0);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    switch (page) {
        case PageIcon::Parameters:
            // Three sliders.
            for (int i = 0; i < 3; ++i) {
                const double y = s * (0.25 + 0.25 * i);
                p.setPen(QPen(ink, w, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(s * 0.12, y), QPointF(s * 0.88, y));
                const double x = s * (i == 0 ? 0.65 : i == 1 ? 0.32 : 0.55);
                p.setPen(QPen(ink, w));
                p.setBrush(accent);
                p.drawRoundedRect(QRectF(x - s * 0.07, y - s * 0.09, s * 0.14, s * 0.18), w, w);
                p.setBrush(Qt::NoBrush);
            }
            break;
        case PageIcon::SystemStatus: {
            // A gauge.
            const QRectF r(s * 0.1, s * 0.18, s * 0.8, s * 0.8);
            p.setPen(QPen(ink, w * 1.3, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(r, 0, 180 * 16);
            for (int i = 0; i <= 4; ++i) {
                const double a = M_PI * i / 4.0;
                const QPointF c = r.center();
                p.drawLine(QPointF(c.x() - std::cos(a) * s * 0.4, c.y() - std::sin(a) * s * 0.4),
                           QPointF(c.x() - std::cos(a) * s * 0.32, c.y() - std::sin(a) * s * 0.32));
            }
            p.setPen(QPen(accent, w * 1.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(r.center(), QPointF(r.center().x() + s * 0.22, r.center().y() - s * 0.22));
            p.setBrush(ink);
            p.setPen(Qt::NoPen);
            p.drawEllipse(r.center(), s * 0.06, s * 0.06);
            break;
        }
        case PageIcon::Iplc: {
            // Eight segments of a travel program.
            p.setPen(QPen(ink, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath path;
            path.moveTo(s * 0.1, s * 0.8);
            const double xs[] = {0.2, 0.3, 0.42, 0.52, 0.64, 0.74, 0.9};
            const double ys[] = {0.8, 0.45, 0.45, 0.25, 0.25, 0.6, 0.6};
            for (int i = 0; i < 7; ++i) {
                path.lineTo(s * xs[i], s * ys[i]);
            }
            p.drawPath(path);
            p.setPen(Qt::NoPen);
            p.setBrush(accent);
            for (int i = 0; i < 7; i += 2) {
                p.drawEllipse(QPointF(s * xs[i], s * ys[i]), s * 0.05, s * 0.05);
            }
            break;
        }
        case PageIcon::Wave: {
            p.setPen(QPen(QColor(0x9A, 0xB0, 0xC4), std::max(1.0, w / 2)));
            p.drawRect(QRectF(s * 0.08, s * 0.15, s * 0.84, s * 0.7));
            p.drawLine(QPointF(s * 0.08, s * 0.5), QPointF(s * 0.92, s * 0.5));
            QPainterPath sine;
            for (int i = 0; i <= 40; ++i) {
                const double t = i / 40.0;
                const QPointF pt(s * (0.08 + 0.84 * t), s * (0.5 - 0.25 * std::sin(t * 2 * M_PI)));
                i == 0 ? sine.moveTo(pt) : sine.lineTo(pt);
            }
            p.setPen(QPen(ink, w * 1.2));
            p.drawPath(sine);
            break;
        }
        case PageIcon::Alarm: {
            QPainterPath tri;
            tri.moveTo(s * 0.5, s * 0.1);
            tri.lineTo(s * 0.92, s * 0.86);
            tri.lineTo(s * 0.08, s * 0.86);
            tri.closeSubpath();
            p.setPen(QPen(QColor(0x8A, 0x1C, 0x1C), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(QColor(0xF2, 0xC2, 0x30));
            p.drawPath(tri);
            p.setPen(QPen(QColor(0x30, 0x20, 0x10), w * 1.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(s * 0.5, s * 0.36), QPointF(s * 0.5, s * 0.6));
            p.drawPoint(QPointF(s * 0.5, s * 0.74));
            break;
        }
        case PageIcon::Help:
            p.setPen(QPen(ink, w));
            p.drawEllipse(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8));
            p.setFont([&] {
                QFont f;
                f.setPixelSize(static_cast<int>(s * 0.6));
                f.setBold(true);
                return f;
            }());
            p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
            break;
        case PageIcon::Debug: {
            // A DSP chip.
            p.setPen(QPen(ink, w));
            p.setBrush(QColor(0x3A, 0x4A, 0x5A));
            p.drawRoundedRect(QRectF(s * 0.25, s * 0.25, s * 0.5, s * 0.5), w, w);
            p.setPen(QPen(ink, w * 0.8));
            for (int i = 0; i < 3; ++i) {
                const double o = s * (0.35 + 0.15 * i);
                p.drawLine(QPointF(o, s * 0.1), QPointF(o, s * 0.25));
                p.drawLine(QPointF(o, s * 0.75), QPointF(o, s * 0.9));
                p.drawLine(QPointF(s * 0.1, o), QPointF(s * 0.25, o));
                p.drawLine(QPointF(s * 0.75, o), QPointF(s * 0.9, o));
            }
            p.setPen(Qt::NoPen);
            p.setBrush(accent);
            p.drawEllipse(QPointF(s * 0.36, s * 0.36), s * 0.04, s * 0.04);
            break;
        }
    }
}

}  // namespace

QIcon PageButtonIcon(PageIcon page) {
    QIcon icon;
    for (int size : {24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paintPageIcon(p, page, size);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace tevra
