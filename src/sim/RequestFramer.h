#pragma once

#include <QByteArray>

#include <cstdint>

namespace tevra::sim {

// Finds request frames in the bytes a drive receives. A native frame starts with 0xAA
// followed by one of the native lengths (6, 7, 8, 10, 12, 14, 20); otherwise a second byte
// 0x03 starts an 8-byte Modbus read. Anything else is noise and is skipped a byte at a
// time, as is a complete frame whose checksum fails (the next byte may start the real one).
class RequestFramer {
  public:
    enum class Kind { Native, Modbus };
    struct Frame {
        Kind kind;
        QByteArray bytes;
    };

    void append(const uint8_t* data, int count) {
        buffer_.append(reinterpret_cast<const char*>(data), count);
    }
    // The next complete frame with a valid checksum; false when more bytes are needed.
    bool next(Frame& frame);
    bool hasPartial() const { return !buffer_.isEmpty(); }
    void clear() { buffer_.clear(); }
    // Bytes dropped as noise or as frames that failed their check.
    int64_t discardedBytes() const { return discarded_; }

    static bool isNativeLength(uint8_t length);

  private:
    QByteArray buffer_;
    int64_t discarded_ = 0;
};

}  // namespace tevra::sim
