#include "scope/WaveColors.h"

namespace tevra {

QColor toQColor(int32_t stored) {
    const auto value = static_cast<uint32_t>(stored);
    if ((value & 0xFF000000u) == 0xFF000000u) {
        // System colours of the settings file, as they look on the desktop they came from.
        switch (value & 0xFFu) {
            case 0x05:  // window
                return QColor(255, 255, 255);
            case 0x08:  // window text
            case 0x07:  // menu text
                return QColor(0, 0, 0);
            case 0x0C:  // application workspace
                return QColor(171, 171, 171);
            case 0x10:  // button shadow
                return QColor(160, 160, 160);
            case 0x14:  // button highlight
                return QColor(255, 255, 255);
            default:  // button face and the rest
                return QColor(240, 240, 240);
        }
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

int32_t fromQColor(const QColor& color) {
    return static_cast<int32_t>(uint32_t(color.red()) | (uint32_t(color.green()) << 8) |
                                (uint32_t(color.blue()) << 16));
}

}  // namespace tevra
