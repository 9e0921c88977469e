#pragma once

#include <QCoreApplication>

#include <memory>

#include "link/SerialPort.h"

namespace tevra::test {

// Timers need an application object; one is made for the whole test program.
inline QCoreApplication& coreApp() {
    static int argc = 1;
    static char name[] = "tevra_core_shell_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// A port that is never open: every transfer fails.
class ClosedPort : public SerialPort {
  public:
    bool open(const QString&, int, QString* error) override {
        if (error) {
            *error = QStringLiteral("no device");
        }
        return false;
    }
    void close() override {}
    bool isOpen() const override { return false; }
    QString deviceName() const override { return QString(); }
    bool setBaudRate(int) override { return false; }
    int baudRate() const override { return 0; }
    bool setTimeouts(const SerialTimeouts& t) override {
        timeouts_ = t;
        return true;
    }
    SerialTimeouts timeouts() const override { return timeouts_; }
    bool purge() override { return false; }
    int write(const uint8_t*, int) override { return 0; }
    int read(uint8_t*, int) override { return 0; }

  private:
    SerialTimeouts timeouts_;
};

}  // namespace tevra::test
