#pragma once

#include <QColor>

#include <cstdint>

namespace tevra {

// Colours as the settings keep them: 0x00BBGGRR, or a system colour 0xFF0000nn.
QColor toQColor(int32_t stored);
// The stored form of a colour chosen in the colour dialog.
int32_t fromQColor(const QColor& color);

namespace wave_colors {
// Grid and ticks (medium grey), the mouse axis, the trigger line, the measurement lines
// and the integral lines.
inline QColor grid() {
    return QColor(160, 160, 164);
}
inline QColor mouseAxis() {
    return QColor(0, 128, 0);
}
inline QColor trigger() {
    return QColor(255, 0, 255);
}
inline QColor measure() {
    return QColor(255, 127, 0);
}
inline QColor integral() {
    return QColor(0, 128, 128);
}
}  // namespace wave_colors

}  // namespace tevra
