#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace tevra {

// Pictures the program draws itself.

// The login window's picture: a servo motor beside an oscilloscope trace on a dark blue
// field, with the product name.
QPixmap LoginPicture(const QSize& size);

// The application icon (a motor disc with a trace), in the usual sizes.
QIcon ApplicationIcon();

// The icons of the main window's page buttons.
enum class PageIcon { Parameters, SystemStatus, Iplc, Wave, Alarm, Help, Debug };
QIcon PageButtonIcon(PageIcon page);

}  // namespace tevra
