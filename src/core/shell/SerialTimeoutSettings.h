#pragma once

#include <QString>

#include <array>

#include "link/SerialPort.h"

namespace tevra {

class IniFile;

// The five serial time-outs as the Config.ini section TimesOut1 keeps them (texts, default
// "20"), in the order of the time-out dialog's edits.
namespace serial_timeouts {

inline constexpr int kCount = 5;
// edtReadInterval1, edtReadTotalConstant1, edtReadTotalMultiplier1, edtWriteTotalConstant1,
// edtWriteTotalMultiplier1.
const std::array<QString, kCount>& KeyNames();

using Texts = std::array<QString, kCount>;

// The five trimmed texts of TimesOut1.
Texts Load(const IniFile& config);
// The port's current time-outs as decimal texts, in the same order.
Texts FromPort(const SerialTimeouts& timeouts);

// Applies the texts to the port as integers. A text that is not a non-negative integer
// keeps the port's current value for that time-out. Returns false when any text was not
// taken or the port refused the values.
bool Apply(const Texts& texts, SerialPort& port);

// The confirm button: writes the trimmed texts to TimesOut1 (and saves), applies them,
// then compares the port's five values, as decimal texts, with the trimmed texts.
// true: all equal (message 43); false: message 44.
bool Confirm(const Texts& edits, IniFile& config, SerialPort& port);

}  // namespace serial_timeouts
}  // namespace tevra
