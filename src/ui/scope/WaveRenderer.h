#pragma once

#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>

#include "scope/display/PlotGeometry.h"
#include "scope/display/PlotInteraction.h"

namespace tevra {

class WaveModel;
class WaveTraces;

// Draws the plot into an image of 801 × 521 pixels (x 0..800, y 0..520, so the last grid
// lines close the frame): the board with its grid and ticks, the zero lines, the trigger
// line, the measurement lines, the mouse axis and the traces on top. The board and grid
// are kept between frames and drawn again only when the board colour changes.
class WaveRenderer {
  public:
    static constexpr int kImageWidth = plot::kWidth + 1;
    static constexpr int kImageHeight = plot::kHeight + 1;

    WaveRenderer();

    // receivedColumns: how many columns of the received traces hold samples of this
    // capture (0..800); the compare traces are always drawn whole.
    const QImage& render(const WaveModel& model, const WaveTraces& traces,
                         const PlotInteraction& lines, const PlotContext& context,
                         int receivedColumns = plot::kWidth);
    const QImage& image() const { return image_; }

  private:
    void drawBackground(int32_t boardColor);
    // One trace of `columns` columns, and a vertical run of pixels of one column (clipped).
    void drawTrace(const std::array<int, plot::kColumns>& ys, int zeroLevel, bool inverted,
                   const QColor& color, int columns);
    void drawSpan(int x, int y0, int y1, uint32_t rgb);

    QImage image_;
    QImage background_;
    int64_t backgroundColor_ = -1;
};

}  // namespace tevra
