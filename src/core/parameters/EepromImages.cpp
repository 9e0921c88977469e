#include "parameters/EepromImages.h"

#include "link/DriveLink.h"

namespace tevra {

bool WriteEepromImages16(DriveLink& link, uint32_t pr, uint16_t value) {
    for (int image = 0; image < 3; ++image) {
        if (!link.WriteEepromWord(EepromImageAddress(image, pr), value)) {
            return false;
        }
    }
    return true;
}

bool WriteEepromImages32(DriveLink& link, uint32_t pr, uint32_t value) {
    const auto low = static_cast<uint16_t>(value & 0xFFFF);
    const auto high = static_cast<uint16_t>(value >> 16);
    for (int image = 0; image < 3; ++image) {
        const uint32_t address = EepromImageAddress(image, pr);
        if (!link.WriteEepromWord(address, low) || !link.WriteEepromWord(address + 2, high)) {
            return false;
        }
    }
    return true;
}

}  // namespace tevra
