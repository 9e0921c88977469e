#pragma once

namespace tevra::plot {

// The lowest y a trace is given: values far below zero are drawn off the plot, but kept
// within a range the drawing code and the integer arithmetic can hold.
inline constexpr int kLowestY = 32767;

// The y pixel of a value v for a channel drawn at zero level z with `valuePerDivision`
// engineering units per division of 65 pixels: z − round(65 / r × v), rounded to the
// nearest integer with ties to even; a result above the plot is drawn at its top edge
// (y 0). There is no clamp at the bottom beyond kLowestY. A range of 0 (or a result that
// is not a number) draws the value at the zero level.
int valueToPixel(double value, int zeroLevel, double valuePerDivision);

// The y actually drawn for a trace point: mirrored about the zero level when inverted.
inline int drawnY(int y, int zeroLevel, bool inverted) {
    return inverted ? 2 * zeroLevel - y : y;
}

}  // namespace tevra::plot
