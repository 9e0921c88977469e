#pragma once

#include <QString>
#include <QStringList>

namespace tevra {

// The system's serial devices, as device paths ("/dev/ttyS0", "/dev/ttyUSB0",
// "/dev/ttyACM0" ...), in natural order: terminal devices backed by hardware, where a
// fixed UART port is listed only when a UART was detected on it. Pseudo-terminals and
// virtual consoles are never listed. `sysClassTty` replaces /sys/class/tty (for tests).
QStringList listSerialDevices(const QString& sysClassTty = QString());

// The device path of a port name: a name without '/' is taken under /dev ("ttyUSB0" →
// "/dev/ttyUSB0"); a path is kept as it is.
QString serialDevicePath(const QString& name);

// Whether the device can be opened as a serial port and closed again (the connection
// page's test before it tries a port). `error` receives the reason when it cannot.
bool serialDeviceOpens(const QString& name, QString* error = nullptr);

// The message for a device that failed to open with `errnoValue`: names the device and
// the cause, and for a permission problem the group a user must belong to.
QString serialOpenErrorText(const QString& device, int errnoValue);

}  // namespace tevra
