#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace tevra {

// Number parsing with an explicit "not a number" outcome (an empty optional) instead of
// an exception. The text is taken as it stands: callers trim where their format says so.

// Optional sign, then decimal digits only. Values outside the type's range are not numbers.
std::optional<int64_t> parseInt64(QStringView text);
std::optional<int32_t> parseInt32(QStringView text);

// Hexadecimal digits only (0-9, A-F, a-f), no prefix and no sign.
std::optional<uint64_t> parseHex64(QStringView text);
std::optional<uint32_t> parseHex32(QStringView text);

// An integer as the settings files accept it: decimal with an optional sign, or
// hexadecimal after "$" or "0x". Used for Config.ini integers.
std::optional<int32_t> parseIntSetting(QStringView text);

// A decimal floating-point number with "." as separator and an optional exponent;
// never locale-dependent.
std::optional<double> parseDouble(QStringView text);

}  // namespace tevra
