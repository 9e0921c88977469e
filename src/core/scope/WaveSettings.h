#pragma once

#include <QString>

namespace tevra {

class IniFile;
class WaveModel;

// Section of Config.ini holding the oscilloscope's keys (matched without regard to case,
// so files that spell it "SystemSet" are read as well).
inline constexpr char kWaveSettingsSection[] = "Systemset";

// Reads the oscilloscope's keys of Config.ini into the model: range items and indexes with
// their values per division, zero lines and backups (compare, integral, derivative),
// measurement lines, mouse axis, trigger keys, bit numbers, the length list, LengthIndex
// and ScreenCount, colours. Run once after the source items are filled. Missing keys take
// their defaults. Ends with SetTriggerLevel(TriggerLevel), as the trigger window's set-up.
void LoadWaveSettings(WaveModel& model, const IniFile& config);

// Writes the same keys back (the caller saves the file).
void SaveWaveSettings(const WaveModel& model, IniFile& config);

// Section DataType1, keys Ch1..Ch4: the channels' SampleType. Used only when data types are
// set by hand (option "手动设置"); the caller decides.
void LoadManualDataTypes(WaveModel& model, const IniFile& config);
void SaveManualDataType(const WaveModel& model, int channel, IniFile& config);

// The balloon text shown at the range combo when a range cannot be used (titled "错误").
QString rangeErrorText();

enum class SetRangeResult { Changed, Refused };

// Selects range item `itemIndex` for the channel (0..3) and sets its ValuePerDivision from
// section VGridLelve. An index below 0 or past the items, a value that is not a number, or
// a value of 0 is refused: nothing changes and the caller shows rangeErrorText(). After a
// change the caller recomputes the trigger threshold (SetTriggerLevel) and the readouts.
SetRangeResult SetRange(WaveModel& model, int channel, int itemIndex, const IniFile& config);

// Selects capture length item `itemIndex`: LengthIndex and ScreenCount (section FGridLelve,
// default 1, kept within 1..kMaxScreenCount).
void SetLength(WaveModel& model, int itemIndex, const IniFile& config);

}  // namespace tevra
