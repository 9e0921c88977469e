#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace tevra {

// The five time-outs of the serial port, in milliseconds. A read of n bytes returns when
// n bytes have arrived, when readTotalMultiplier * n + readTotalConstant ms have passed,
// or when more than readInterval ms pass between two received bytes, whichever comes
// first; a write of n bytes may take writeTotalMultiplier * n + writeTotalConstant ms.
struct SerialTimeouts {
    int readInterval = 20;
    int readTotalMultiplier = 20;
    int readTotalConstant = 20;
    int writeTotalMultiplier = 20;
    int writeTotalConstant = 20;

    bool operator==(const SerialTimeouts&) const = default;
};

// A serial port: 8 data bits, no parity, one stop bit, no flow control, DTR and RTS
// inactive where the device allows. Reads and writes return the number of bytes moved.
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Opens the device (a system serial device or any device path, pseudo-terminals
    // included) at the baud rate. On failure `error` names the device and the cause.
    virtual bool open(const QString& device, int baud, QString* error = nullptr) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString deviceName() const = 0;

    virtual bool setBaudRate(int baud) = 0;
    virtual int baudRate() const = 0;
    // Returns false when the port does not take a value (a negative time-out).
    virtual bool setTimeouts(const SerialTimeouts& timeouts) = 0;
    virtual SerialTimeouts timeouts() const = 0;

    // Discards all received and unsent bytes; false when the port is not open or fails.
    virtual bool purge() = 0;
    virtual int write(const uint8_t* data, int count) = 0;
    virtual int read(uint8_t* data, int count) = 0;
};

}  // namespace tevra
