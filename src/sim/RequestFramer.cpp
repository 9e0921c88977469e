#include "RequestFramer.h"

#include "link/CommunicationProtocol.h"

namespace tevra::sim {

bool RequestFramer::isNativeLength(uint8_t length) {
    switch (length) {
        case 6:
        case 7:
        case 8:
        case 10:
        case 12:
        case 14:
        case 20:
            return true;
        default:
            return false;
    }
}

bool RequestFramer::next(Frame& frame) {
    for (;;) {
        if (buffer_.size() < 2) {
            return false;
        }
        const auto* b = reinterpret_cast<const uint8_t*>(buffer_.constData());
        int length = 0;
        Kind kind = Kind::Native;
        if (b[0] == 0xAA && isNativeLength(b[1])) {
            length = b[1];
        } else if (b[1] == 0x03) {
            length = 8;
            kind = Kind::Modbus;
        } else {
            buffer_.remove(0, 1);
            ++discarded_;
            continue;
        }
        if (buffer_.size() < length) {
            return false;
        }
        bool valid = false;
        if (kind == Kind::Native) {
            valid = frame::NativeSumIsZero(b, length);
        } else {
            const uint16_t crc = frame::Crc16Modbus(b, 6);
            valid = b[6] == (crc & 0xFF) && b[7] == (crc >> 8);
        }
        if (!valid) {
            buffer_.remove(0, 1);
            ++discarded_;
            continue;
        }
        frame.kind = kind;
        frame.bytes = buffer_.left(length);
        buffer_.remove(0, length);
        return true;
    }
}

}  // namespace tevra::sim
