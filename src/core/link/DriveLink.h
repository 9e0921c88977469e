#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>

#include "link/CommunicationProtocol.h"
#include "link/SerialPort.h"

namespace tevra {

// Receives the failure of ReadWordReported; the window implements it with an error box.
class ReadFailureReporter {
  public:
    virtual ~ReadFailureReporter() = default;
    // text: "读取参数失败，参数号: " followed by the address in hexadecimal; caption "错误".
    virtual void reportReadFailure(const QString& text, const QString& caption) = 0;
};

// The one drive link of the program: the serial port, the transaction object, the
// connection state (connected flag, current station) and the program-wide link error
// policy (LinkFailureCount with its two limits). Owned by the application and passed to
// every page, dialog and the capture thread.
class DriveLink {
  public:
    explicit DriveLink(std::unique_ptr<SerialPort> port);
    ~DriveLink();
    DriveLink(const DriveLink&) = delete;
    DriveLink& operator=(const DriveLink&) = delete;

    SerialPort& port() { return *port_; }
    TCommunicationProtocol& protocol() { return protocol_; }

    bool isConnected() const { return connected_.load(); }
    void setConnected(bool connected) { connected_.store(connected); }
    uint8_t station() const { return station_.load(); }
    void setStation(uint8_t station) { station_.store(station); }

    // Consecutive link failures, shared by the scheduler's probe, the parameter page's
    // status read, the register page and the capture thread.
    std::atomic<int32_t> LinkFailureCount{0};
    // edtCommErrMax and edtWaveCommErrMax of the Options dialog.
    std::atomic<int32_t> commErrMax{10};
    std::atomic<int32_t> waveCommErrMax{100};

    // Transactions at the current station.
    bool ReadWord(uint32_t address, uint16_t& value);
    bool WriteWord(uint32_t address, uint16_t value);
    bool ReadDWord(uint32_t address, uint32_t& value);
    bool WriteDWord(uint32_t address, uint32_t value);
    bool ReadEepromWord(uint32_t byteAddress, uint16_t& value);
    bool WriteEepromWord(uint32_t byteAddress, uint16_t value);
    bool ReadEepromByte(uint32_t byteAddress, uint16_t& value);
    bool ReadInfoString(uint8_t code, QString& text);
    bool SendControlCode(uint8_t code);
    bool LinkProbe();
    // ReadWord at the current station; on failure reports
    // "读取参数失败，参数号: " + hex address (at least two digits) with caption "错误".
    bool ReadWordReported(uint32_t address, uint16_t& value, ReadFailureReporter& reporter);

  private:
    std::unique_ptr<SerialPort> port_;
    TCommunicationProtocol protocol_;
    std::atomic<bool> connected_{false};
    std::atomic<uint8_t> station_{0};
};

}  // namespace tevra
