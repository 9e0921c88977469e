#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace tevra {

class IniFile;
struct AppContext;

// The Options dialog's settings (Config.ini section frmOptions) and their rules.
namespace options {

inline constexpr int kDefaultRefreshFrequency = 10;
inline constexpr int kMinRefreshFrequency = 1;
inline constexpr int kMaxRefreshFrequency = 1000;
inline constexpr int kDefaultCommErrMax = 10;
inline constexpr int kDefaultWaveCommErrMax = 100;
inline constexpr int kDefaultScanTime = 4;

// 1000 / frequency ms, rounded to the nearest integer with halves to the even neighbour
// (16 gives 62, 3 gives 333, 1000 gives 1). frequency must be 1..1000.
int Timer2IntervalFor(int frequency);

// The trimmed text as an integer, or the default when it is not one.
int IntegerOrDefault(const QString& text, int defaultValue);

// What the dialog shows after loading.
struct Values {
    // DataAdaptMode "0" (true, automatic) or "1" (false, manual); another stored value
    // leaves the radio buttons as they are (no value).
    std::optional<bool> dataTypeAutomatic;
    // edtCalcimineFrqncy: a stored value outside 1..1000, or one that is not an integer,
    // counts as 10.
    int refreshFrequency = kDefaultRefreshFrequency;
    QString commErrMaxText;      // trimmed
    QString waveCommErrMaxText;  // trimmed
    QString scanTimeText;        // trimmed
};

Values Load(const IniFile& config);

// Applies loaded values to the program: Timer2 interval, the two link error limits, the
// scheduler's ScanTime and the data-type mode.
void Apply(const Values& values, AppContext& ctx);

// The confirm button's inputs: the radio buttons and the four edit texts as typed.
struct Input {
    bool automaticChecked = false;
    bool manualChecked = true;
    QString refreshFrequencyText;
    QString commErrMaxText;
    QString waveCommErrMaxText;
    QString scanTimeText;
};

enum class ConfirmResult {
    Saved,                // everything written and applied; the dialog closes
    FrequencyOutOfRange,  // the mode is saved, nothing else; the dialog stays open
};

// The confirm button: writes DataAdaptMode first (calling sourceChange when automatic is
// checked), then checks the refresh frequency (trimmed, 10 when not an integer) and, when
// it is within 1..1000, writes and applies it and the three limits. Saves Config.ini.
ConfirmResult Confirm(const Input& input, IniFile& config, AppContext& ctx,
                      const std::function<void()>& sourceChange);

}  // namespace options
}  // namespace tevra
