#pragma once

#include <QString>

#include "link/SerialPort.h"

namespace tevra {

// The serial port on a POSIX terminal device: real UARTs, USB adapters and pseudo-
// terminals alike. The device is opened non-blocking and every wait is a poll() on it,
// so a read ends exactly by the rules of SerialTimeouts:
// - n bytes have arrived;
// - readTotalMultiplier * n + readTotalConstant ms have passed since the read began
//   (a total of 0 returns at once with the bytes already received);
// - after a byte, more than readInterval ms pass without the next one (0: the read ends
//   as soon as no further byte is waiting);
// - the device is gone (hang-up or error): the bytes received so far.
// A write of n bytes may wait for room up to writeTotalMultiplier * n + writeTotalConstant
// ms and returns the number of bytes handed to the driver.
// The device is taken for exclusive use while open (TIOCEXCL), like a serial port on the
// systems the drives' tools come from. Not thread-safe: the link's transactions serialise
// their use.
class TermiosSerialPort : public SerialPort {
  public:
    TermiosSerialPort() = default;
    ~TermiosSerialPort() override;
    TermiosSerialPort(const TermiosSerialPort&) = delete;
    TermiosSerialPort& operator=(const TermiosSerialPort&) = delete;

    bool open(const QString& device, int baud, QString* error = nullptr) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    QString deviceName() const override { return device_; }

    // On an open port the new rate applies at once; false when the driver refuses it.
    // On a closed port it is kept for the next open.
    bool setBaudRate(int baud) override;
    int baudRate() const override { return baud_; }
    bool setTimeouts(const SerialTimeouts& timeouts) override;
    SerialTimeouts timeouts() const override { return timeouts_; }

    bool purge() override;
    int write(const uint8_t* data, int count) override;
    int read(uint8_t* data, int count) override;

    // The file descriptor while open, else -1.
    int handle() const { return fd_; }

  private:
    int fd_ = -1;
    QString device_;
    int baud_ = 57600;
    SerialTimeouts timeouts_;
};

}  // namespace tevra
