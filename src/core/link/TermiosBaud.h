#pragma once

// Line settings through the kernel's termios2 interface, which takes any baud rate the
// driver supports (56000, 128000, 2457600 ...) and not only the fixed B-constants. Kept
// apart from <termios.h>, whose definitions clash with the kernel's.

namespace tevra::termios2 {

// Raw 8N1 without flow control or echo, receiver on, modem lines ignored, reads that
// never block in the line discipline (VMIN 0, VTIME 0), input and output at `baud`.
// Returns 0 or the errno of the failed call.
int configureRaw(int fd, int baud);
// Changes only the speed; returns 0 or the errno.
int setSpeed(int fd, int baud);
// The output speed the driver reports, or -1 when it cannot be read. On the master side
// of a pseudo-terminal this is the speed the slave's user set.
int speed(int fd);

}  // namespace tevra::termios2
