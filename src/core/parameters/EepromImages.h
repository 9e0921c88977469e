#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tevra {

class DriveLink;

// The drive keeps its parameter table three times in EEPROM: parameter P at byte address
// 2·P, 0x1400 + 2·P and 0x1800 + 2·P. A 32-bit parameter keeps its low half there and its
// high half in the next word.
inline constexpr std::array<uint32_t, 3> kEepromImageBases = {0x0000, 0x1400, 0x1800};

inline uint32_t EepromImageAddress(int image, uint32_t pr) {
    return kEepromImageBases[static_cast<std::size_t>(image)] + 2 * pr;
}

// Writes a 16-bit value into the three images in order; each write only after the one
// before it succeeded. True when all three succeeded.
bool WriteEepromImages16(DriveLink& link, uint32_t pr, uint16_t value);

// Writes a 32-bit value into the three images, low half first in each image; each write
// only after the one before it succeeded. True when all six succeeded.
bool WriteEepromImages32(DriveLink& link, uint32_t pr, uint32_t value);

}  // namespace tevra
