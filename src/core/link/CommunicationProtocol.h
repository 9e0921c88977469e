#pragma once

#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>

#include "link/SerialPort.h"

namespace tevra {

// The frame buffer and transaction object of the drive link. Every transaction takes the
// serial port and the station number first, returns true on success, and leaves
// ErrorCount telling how it ended (0 after success, 4 after a port failure, otherwise the
// number of attempts whose reply arrived but failed its check, added to the value before).
// Transactions show nothing; one mutex keeps any two from overlapping.
class TCommunicationProtocol {
  public:
    static constexpr int kBufferSize = 121;
    static constexpr uint16_t kBusyAnswer = 0x789A;

    int32_t ErrorCount = 0;
    std::array<uint8_t, kBufferSize> TxBuffer{};
    std::array<uint8_t, kBufferSize> RxBuffer{};
    // The pause before every attempt after the first (15 ms; tools that replay recorded
    // replies may shorten it).
    std::chrono::milliseconds RetryPause{15};

    bool ReadWord(SerialPort& port, uint8_t station, uint32_t address, uint16_t& value);
    bool WriteWord(SerialPort& port, uint8_t station, uint32_t address, uint16_t value);
    bool ReadDWord(SerialPort& port, uint8_t station, uint32_t address, uint32_t& value);
    bool WriteDWord(SerialPort& port, uint8_t station, uint32_t address, uint32_t value);
    // value is also written on a busy answer.
    bool ReadEepromWord(SerialPort& port, uint8_t station, uint32_t byteAddress, uint16_t& value);
    bool WriteEepromWord(SerialPort& port, uint8_t station, uint32_t byteAddress, uint16_t value);
    // The EEPROM byte is the low byte of value; value is also written on a busy answer.
    bool ReadEepromByte(SerialPort& port, uint8_t station, uint32_t byteAddress, uint16_t& value);
    bool ReadInfoString(SerialPort& port, uint8_t station, uint8_t code, QString& text);
    bool SendControlCode(SerialPort& port, uint8_t station, uint8_t code);
    // slots: the slot list (two entries used by the 0x19 frame, four by the 0x18 frame).
    bool WaveStartDual(SerialPort& port, uint8_t station, const std::array<uint16_t, 4>& slots,
                       uint16_t sampleCount, uint8_t mode);
    bool WaveStartQuad(SerialPort& port, uint8_t station, const std::array<uint16_t, 4>& slots,
                       uint16_t sampleCount, uint8_t mode);
    bool ModbusReadWord(SerialPort& port, uint8_t station, uint16_t registerNumber,
                        uint16_t& value);

    // ModbusReadWord of register 1, then ReadWord of address 1; both are always sent and
    // the probe succeeds only if both do.
    bool LinkProbe(SerialPort& port, uint8_t station);

  private:
    std::recursive_mutex mutex_;
};

// Frame helpers, shared with the simulated drive.
namespace frame {
// (256 - (sum of bytes mod 256)) mod 256
uint8_t NativeChecksum(const uint8_t* bytes, int count);
// true when the 8-bit sum of the bytes is 0
bool NativeSumIsZero(const uint8_t* bytes, int count);
// CRC-16/MODBUS: start 0xFFFF, reflected polynomial 0xA001, no final xor.
uint16_t Crc16Modbus(const uint8_t* bytes, int count);
}  // namespace frame

}  // namespace tevra
