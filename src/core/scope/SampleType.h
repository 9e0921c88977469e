#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace tevra {

// The one-byte value type of a wave channel, a register or a parameter. It fixes how many
// 16-bit words the drive sends for one sample and how a raw 32-bit slot becomes a number.
//
//   0 INT16, 1 UINT16, 2 INT32, 3 UINT32,
//   5 + q   IQq  (q 0..15: 16-bit, q 16..31: 32-bit; signed, divided by 2^q),
//   37 + q  uIQq (likewise, unsigned),
//   69 FLOAT32 (the raw bits as an IEEE 754 single).
// Code 4 and codes 70..255 are not captured and convert to 0.
namespace sample_type {
inline constexpr uint8_t kInt16 = 0;
inline constexpr uint8_t kUint16 = 1;
inline constexpr uint8_t kInt32 = 2;
inline constexpr uint8_t kUint32 = 3;
inline constexpr uint8_t kUnusedIq = 4;  // "_IQ" in the descriptions; never captured
inline constexpr uint8_t kIqBase = 5;
inline constexpr uint8_t kUiqBase = 37;
inline constexpr uint8_t kFloat32 = 69;
inline constexpr int kMaxQ = 31;

inline constexpr uint8_t iq(int q) {
    return static_cast<uint8_t>(kIqBase + q);
}
inline constexpr uint8_t uiq(int q) {
    return static_cast<uint8_t>(kUiqBase + q);
}
}  // namespace sample_type

// The value of a raw slot: a 16-bit value sits zero-extended in the low half, a 32-bit
// value as received. Fixed-point values are divided by 2^q in floating point.
double ConvertSample(uint8_t code, uint32_t raw);

// 16-bit words the drive sends per sample: 1, 2, or 0 for a code that is not captured.
int sampleWords(uint8_t code);

// The Q number of a fixed-point code: code - 5 for 5..36, code - 37 for 37..68, else 0.
int sampleQNumber(uint8_t code);

// The type names of the drive descriptions and of the register list, in code order:
// "Int16", "Uint16", "Int32", "Uint32", "_IQ", "IQ0".."IQ31", "uIQ0".."uIQ31", "Float32".
// Matched without regard to case; an unknown or empty name gives 0 (INT16).
uint8_t sampleTypeFromName(QStringView name);
// The name shown for a code (as above); empty for codes 70..255.
QString sampleTypeName(uint8_t code);

// The type words of the DSP register definition: "INT16", "UINT16", "INT32", "UINT32",
// "FLOAT32" and "_IQ" (any case) give 0, 1, 2, 3, 69 and 20 (IQ15); any other word none.
std::optional<uint8_t> sampleTypeFromRegisterWord(QStringView word);

// The choices of the data-type dialog.
enum class DataTypeChoice { None, Int16, Uint16, Int32, Uint32, Float32, IQ, UIQ };

struct DataTypeSelection {
    DataTypeChoice choice = DataTypeChoice::None;
    int q = 0;  // Q number, for IQ and UIQ only

    bool operator==(const DataTypeSelection&) const = default;
};

// The dialog's selection for a code: 5..36 IQ with q = code - 5, 37..68 UIQ with
// q = code - 37; code 4 and 70..255 select nothing.
DataTypeSelection dataTypeSelectionForCode(uint8_t code);
// The code of a selection; none for DataTypeChoice::None or a Q number outside 0..31.
std::optional<uint8_t> sampleTypeForSelection(const DataTypeSelection& selection);

}  // namespace tevra
