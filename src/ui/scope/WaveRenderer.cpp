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

WaveRenderer::WaveRenderer()
    : image_(kImageWidth, kImageHeight, QImage::Format_RGB32),
      background_(kImageWidth, kImageHeight, QImage::Format_RGB32) {
    points_.reserve(plot::kColumns);
}

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

    // Traces: column c at x = c, columns 0..799.
    auto drawTrace = [&](const WaveTraces::Column& ys, int zero, bool inverted, const QColor& color,
                         int columns) {
        if (columns <= 0) {
            return;
        }
        points_.clear();
        for (int c = 0; c < columns; ++c) {
            points_.emplace_back(c, plot::drawnY(ys[c], zero, inverted));
        }
        p.setPen(QPen(color, 1));
        if (columns == 1) {
            p.drawPoint(points_.front());
        } else {
            p.drawPolyline(points_.data(), int(points_.size()));
        }
    };
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
