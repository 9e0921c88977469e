#include "scope/WaveRenderer.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

#include "scope/WaveColors.h"
#include "scope/WaveModel.h"
#include "scope/display/ValueToPixel.h"
#include "scope/display/WaveTraces.h"

namespace tevra {

namespace {

void horizontal(QPainter& p, int y) {
    p.drawLine(0, y, plot::kWidth, y);
}

void vertical(QPainter& p, int x) {
    p.drawLine(x, 0, x, plot::kHeight);
}

}  // namespace

void WaveRenderer::drawSpan(int x, int y0, int y1, uint32_t rgb) {
    if (y0 > y1) {
        std::swap(y0, y1);
    }
    y0 = std::max(y0, 0);
    y1 = std::min(y1, plot::kHeight);
    if (x < 0 || x >= kImageWidth || y0 > y1) {
        return;
    }
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = y0; y <= y1; ++y) {
        reinterpret_cast<uint32_t*>(bits + y * stride)[x] = rgb;
    }
}

void WaveRenderer::drawTrace(const std::array<int, plot::kColumns>& ys, int zeroLevel,
                             bool inverted, const QColor& color, int columns) {
    if (columns <= 0) {
        return;
    }
    const uint32_t rgb = color.rgb();
    int previous = plot::drawnY(ys[0], zeroLevel, inverted);
    drawSpan(0, previous, previous, rgb);
    for (int c = 1; c < columns; ++c) {
        const int y = plot::drawnY(ys[c], zeroLevel, inverted);
        const int rise = y - previous;
        if (rise >= -1 && rise <= 1) {
            drawSpan(c, y, y, rgb);
        } else {
            const int half = rise / 2;
            const int step = rise > 0 ? 1 : -1;
            drawSpan(c - 1, previous, previous + half, rgb);
            drawSpan(c, previous + half + step, y, rgb);
        }
        previous = y;
    }
}

WaveRenderer::WaveRenderer()
    : image_(kImageWidth, kImageHeight, QImage::Format_RGB32),
      background_(kImageWidth, kImageHeight, QImage::Format_RGB32) {}

void WaveRenderer::drawBackground(int32_t boardColor) {
    background_.fill(toQColor(boardColor));
    QPainter p(&background_);
    p.setPen(QPen(wave_colors::grid(), 1));
    for (int k = 1; k <= plot::kVerticalDivisions; ++k) {
        horizontal(p, k * plot::kDivisionHeight);
    }
    for (int k = 1; k <= plot::kHorizontalDivisions; ++k) {
        vertical(p, k * plot::kDivisionWidth);
    }
    // The frame's top and left edges, so the plot reads as closed on every side.
    horizontal(p, 0);
    vertical(p, 0);
    for (const plot::Segment& s : plot::minorTicks()) {
        p.drawLine(s.x1, s.y1, s.x2, s.y2);
    }
    backgroundColor_ = boardColor;
}

const QImage& WaveRenderer::render(const WaveModel& model, const WaveTraces& traces,
                                   const PlotInteraction& lines, const PlotContext& context,
                                   int receivedColumns) {
    if (backgroundColor_ != model.BoardColor) {
        drawBackground(model.BoardColor);
    }
    // Same size and format: a plain copy of the pixels, no reallocation.
    std::copy_n(background_.constBits(), background_.sizeInBytes(), image_.bits());

    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Zero lines.
    for (int n = 0; n < plot::kChannels; ++n) {
        if (lines.receivedShown(n)) {
            p.setPen(QPen(toQColor(model.Channels[n].Color), 1));
            horizontal(p, lines.receivedLevel(n));
        }
        if (lines.compareShown(n, context)) {
            p.setPen(QPen(toQColor(model.Compare[n].Color), 1));
            horizontal(p, lines.compareLevel(n));
        }
        if (lines.integralShown(n)) {
            p.setPen(QPen(wave_colors::integral(), 1));
            horizontal(p, model.Integral[n].ZeroLine);
        }
        if (lines.derivativeShown(n)) {
            p.setPen(QPen(wave_colors::integral(), 1, Qt::DashLine));
            horizontal(p, model.Derivative[n].ZeroLine);
        }
    }
    if (lines.triggerShown()) {
        p.setPen(QPen(wave_colors::trigger(), 1));
        horizontal(p, model.Trigger.TriggerLevel);
    }
    if (model.MeasureLinesOn) {
        p.setPen(QPen(wave_colors::measure(), 1, Qt::DotLine));
        vertical(p, model.mx1);
        vertical(p, model.mx2);
        horizontal(p, model.my1);
        horizontal(p, model.my2);
    }
    p.setPen(QPen(wave_colors::mouseAxis(), 1));
    vertical(p, model.MouseAxistX);

    p.end();

    // Traces on top, columns 0..799. A trace joins neighbouring columns with the one-pixel
    // line a line drawer would give them (the vertical run split between the two
    // columns), written straight into the image: noisy signals make long runs, and the
    // frame must stay well inside the fastest refresh period.
    const int received = std::clamp(receivedColumns, 0, plot::kWidth);
    for (int n = 0; n < plot::kChannels; ++n) {
        if (lines.compareShown(n, context)) {
            drawTrace(traces.compare(n), lines.compareLevel(n), model.Compare[n].Inverted,
                      toQColor(model.Compare[n].Color), plot::kWidth);
        }
    }
    for (int n = 0; n < plot::kChannels; ++n) {
        const WaveChannel& ch = model.Channels[n];
        if (ch.isOn()) {
            drawTrace(traces.received(n), ch.zeroLevel(), ch.Inverted, toQColor(ch.Color),
                      received);
        }
    }
    return image_;
}

}  // namespace tevra
