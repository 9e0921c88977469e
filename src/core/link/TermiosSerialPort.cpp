#include "link/TermiosSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>

#include "link/SerialDevices.h"
#include "link/TermiosBaud.h"

namespace tevra {

namespace {

int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

constexpr int64_t kNsPerMs = 1'000'000;

// Waits until the descriptor is ready for `events` or `deadlineNs` passes. Returns the
// poll revents (0 on time-out or error other than an interrupt).
short waitFor(int fd, short events, int64_t deadlineNs) {
    for (;;) {
        const int64_t left = deadlineNs - nowNs();
        if (left <= 0) {
            return 0;
        }
        pollfd p{fd, events, 0};
        timespec ts{static_cast<time_t>(left / 1'000'000'000),
                    static_cast<long>(left % 1'000'000'000)};
        const int r = ppoll(&p, 1, &ts, nullptr);
        if (r > 0) {
            return p.revents;
        }
        if (r == 0) {
            return 0;
        }
        if (errno != EINTR) {
            return 0;
        }
    }
}

void releaseModemLines(int fd) {
    // A pseudo-terminal has no modem lines and refuses the request; that is fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &lines);
}

}  // namespace

TermiosSerialPort::~TermiosSerialPort() {
    close();
}

bool TermiosSerialPort::open(const QString& device, int baud, QString* error) {
    close();
    const QString path = serialDevicePath(device);
    device_ = device;
    baud_ = baud;
    const int fd =
        ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error) {
            *error = serialOpenErrorText(path, errno);
        }
        return false;
    }
    if (!isatty(fd)) {
        ::close(fd);
        if (error) {
            *error = serialOpenErrorText(path, ENOTTY);
        }
        return false;
    }
    if (ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL) {
        const int e = errno;
        ::close(fd);
        if (error) {
            *error = serialOpenErrorText(path, e);
        }
        return false;
    }
    if (const int e = termios2::configureRaw(fd, baud); e != 0) {
        ::close(fd);
        if (error) {
            *error = serialOpenErrorText(path, e);
        }
        return false;
    }
    releaseModemLines(fd);
    tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    return true;
}

void TermiosSerialPort::close() {
    if (fd_ >= 0) {
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }
}

bool TermiosSerialPort::setBaudRate(int baud) {
    if (baud <= 0) {
        return false;
    }
    if (fd_ >= 0 && termios2::setSpeed(fd_, baud) != 0) {
        return false;
    }
    baud_ = baud;
    return true;
}

bool TermiosSerialPort::setTimeouts(const SerialTimeouts& timeouts) {
    if (timeouts.readInterval < 0 || timeouts.readTotalMultiplier < 0 ||
        timeouts.readTotalConstant < 0 || timeouts.writeTotalMultiplier < 0 ||
        timeouts.writeTotalConstant < 0) {
        return false;
    }
    timeouts_ = timeouts;
    return true;
}

bool TermiosSerialPort::purge() {
    if (fd_ < 0) {
        return false;
    }
    return tcflush(fd_, TCIOFLUSH) == 0;
}

int TermiosSerialPort::write(const uint8_t* data, int count) {
    if (fd_ < 0 || count <= 0) {
        return 0;
    }
    const int64_t deadline =
        nowNs() + (static_cast<int64_t>(timeouts_.writeTotalMultiplier) * count +
                   timeouts_.writeTotalConstant) *
                      kNsPerMs;
    int done = 0;
    while (done < count) {
        const ssize_t r = ::write(fd_, data + done, static_cast<size_t>(count - done));
        if (r > 0) {
            done += static_cast<int>(r);
            continue;
        }
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r < 0 && errno != EAGAIN) {
            break;
        }
        const short ev = waitFor(fd_, POLLOUT, deadline);
        if ((ev & POLLOUT) == 0 || (ev & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            break;
        }
    }
    return done;
}

int TermiosSerialPort::read(uint8_t* data, int count) {
    if (fd_ < 0 || count <= 0) {
        return 0;
    }
    const int64_t start = nowNs();
    const int64_t totalDeadline =
        start + (static_cast<int64_t>(timeouts_.readTotalMultiplier) * count +
                 timeouts_.readTotalConstant) *
                    kNsPerMs;
    const int64_t interval = static_cast<int64_t>(timeouts_.readInterval) * kNsPerMs;
    int got = 0;
    int64_t lastByte = 0;
    bool hungUp = false;
    for (;;) {
        // With VMIN 0 an empty line reads as 0 bytes rather than EAGAIN.
        const ssize_t r = ::read(fd_, data + got, static_cast<size_t>(count - got));
        if (r > 0) {
            got += static_cast<int>(r);
            if (got == count) {
                return got;
            }
            lastByte = nowNs();
            continue;
        }
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if ((r < 0 && errno != EAGAIN) || hungUp) {
            return got;  // the device is gone
        }
        int64_t deadline = totalDeadline;
        if (got > 0) {
            // "More than the interval": a byte arriving exactly at the limit still counts.
            deadline = std::min(deadline, lastByte + interval + 1);
        }
        const short ev = waitFor(fd_, POLLIN, deadline);
        if (ev == 0 || (ev & POLLNVAL) != 0) {
            return got;
        }
        // A hang-up may still leave bytes to read; the next empty read ends the call.
        hungUp = (ev & (POLLHUP | POLLERR)) != 0;
    }
}

}  // namespace tevra
