#include "link/TermiosBaud.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace tevra::termios2 {

namespace {

int applySpeed(struct termios2& t, int baud) {
    if (baud <= 0) {
        return EINVAL;
    }
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = static_cast<speed_t>(baud);
    t.c_ospeed = static_cast<speed_t>(baud);
    return 0;
}

// The classic speed code of a standard rate, for drivers that refuse BOTHER; 0 if none.
tcflag_t standardCode(int baud) {
    struct Entry {
        int rate;
        tcflag_t code;
    };
    static constexpr Entry kCodes[] = {
        {1200, B1200},       {2400, B2400},       {4800, B4800},       {9600, B9600},
        {19200, B19200},     {38400, B38400},     {57600, B57600},     {115200, B115200},
        {230400, B230400},   {460800, B460800},   {500000, B500000},   {576000, B576000},
        {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
        {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000},
        {4000000, B4000000},
    };
    for (const Entry& e : kCodes) {
        if (e.rate == baud) {
            return e.code;
        }
    }
    return 0;
}

// Sets the speed, falling back to the classic code when the driver refuses BOTHER.
int setWithSpeed(int fd, struct termios2& t, int baud) {
    if (const int e = applySpeed(t, baud); e != 0) {
        return e;
    }
    if (ioctl(fd, TCSETS2, &t) == 0) {
        return 0;
    }
    const int err = errno;
    const tcflag_t code = standardCode(baud);
    if (code == 0) {
        return err;
    }
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= code;
    return ioctl(fd, TCSETS2, &t) == 0 ? 0 : errno;
}

}  // namespace

int configureRaw(int fd, int baud) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return errno;
    }
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                   IXANY | INPCK | IUCLC | IMAXBEL);
    t.c_iflag |= IGNPAR;
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CMSPAR);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return setWithSpeed(fd, t, baud);
}

int setSpeed(int fd, int baud) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return errno;
    }
    return setWithSpeed(fd, t, baud);
}

int speed(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return -1;
    }
    return static_cast<int>(t.c_ospeed);
}

}  // namespace tevra::termios2
