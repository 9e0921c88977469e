#pragma once

#include <QString>

#include <cstdint>
#include <optional>

#include "description/DriveDescription.h"

namespace tevra {

// The value cell of a parameter grid before the first read.
inline constexpr char16_t kUnknownValueText[] = u"未知";

// Column 2 of a parameter grid: three blanks followed by the decimal value.
QString GridValueText(const QString& decimal);
// Column 0: the Pr number in upper-case hexadecimal, at least two digits, no prefix.
QString PrNumberText(uint32_t pr);
// Column 0 read back: the trimmed text as hexadecimal; no value when it is not one.
std::optional<uint32_t> ParsePrNumberText(const QString& text);

// How a parameter's value is read, by its TypeCode: 0 Int16, 1 Uint16, 2 Int32, 3 Uint32;
// other codes are not read.
enum class ReadKind { None, Int16, Uint16, Int32, Uint32 };
ReadKind ReadKindOf(uint8_t typeCode);
bool IsWordRead(ReadKind kind);
// The decimal text of a value read with the given kind (16-bit values use the low 16 bits).
QString ReadValueText(ReadKind kind, uint32_t raw);

// How a parameter's value is written, by its TypeName (trimmed, without regard to case):
// empty, "Int16" or "Uint16" one word; "Int32" or "Uint32" a double word; anything else is
// not written.
enum class WriteWidth { None, Word, DoubleWord };
WriteWidth WriteWidthOf(const QString& typeName);

// Effect mode "1" takes effect at the next power-up; every other mode at once.
bool IsPowerUpParameter(const ParameterEntry& entry);

// The text of an effect mode for the description view: "即时生效", "上电生效",
// "伺服ON生效", empty for any other mode.
QString EffectModeText(const QString& effectMode);

// Finds the first entry with the Pr number; -1 when there is none.
int FindParameterIndex(const ParameterList& entries, uint32_t pr);

}  // namespace tevra
