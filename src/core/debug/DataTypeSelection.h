#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

#include "scope/SampleType.h"

namespace tevra {

class IniFile;
struct WaveSourceCatalog;

// The type a wave source is declared with in the register directory, in upper case
// ("INT16", "_IQ", ...); empty when the source is not found. For the administrator the
// source is a register: the first row whose trimmed name equals it exactly. For a user
// the source is a wave entry of the drive description: the entry whose display name
// equals it (without regard to case) names its register, looked up as the capture
// resolves it.
QString declaredSourceType(QStringView sourceName, const WaveSourceCatalog& catalog);

// Whether the data types of the channels are set by hand (option "手动设置",
// frmOptions/DataAdaptMode "1", the default) rather than matched automatically ("0").
bool dataTypesSetByHand(const IniFile& config);

// The code the automatic mode gives a channel for a declared type: INT16 0, UINT16 1,
// INT32 2, UINT32 3, FLOAT32 69, _IQ 20; none for any other type.
std::optional<uint8_t> automaticSampleType(QStringView declaredType);

// The working state of the data-type dialog for one channel: which radio button is
// checked and which Q number each Q combo shows (-1: no item selected).
class DataTypeDialogState {
  public:
    enum class Outcome {
        Accepted,        // code() holds the new SampleType
        QFormatMissing,  // IQ or uIQ without a Q number: balloon at its combo
        LengthMismatch,  // float32 on a 16-bit source: balloon at the float32 button
        NothingChecked,  // no radio button checked: the dialog stays open
    };

    // On show: the radio button of the current code; the group box titled "CH1".."CH4".
    DataTypeDialogState(int channel, uint8_t currentCode, QString sourceName);

    int channel() const { return channel_; }
    const QString& sourceName() const { return sourceName_; }
    QString groupTitle() const { return QStringLiteral("CH%1").arg(channel_ + 1); }

    DataTypeChoice choice() const { return choice_; }
    void setChoice(DataTypeChoice choice) { choice_ = choice; }
    int iqNumber() const { return iq_; }
    int uiqNumber() const { return uiq_; }
    void setIqNumber(int q) { iq_ = q; }
    void setUiqNumber(int q) { uiq_ = q; }
    // Only the Q combo of the checked Q button is enabled.
    bool iqComboEnabled() const { return choice_ == DataTypeChoice::IQ; }
    bool uiqComboEnabled() const { return choice_ == DataTypeChoice::UIQ; }

    // "确认": the code of the checked button, after the Q number and length checks.
    // declaredType is the source's declared type (declaredSourceType).
    Outcome confirm(const QString& declaredType);
    uint8_t code() const { return code_; }
    // The balloon text of a refused confirm.
    QString refusalText(Outcome outcome, const QString& declaredType) const;

    // "恢复默认": checks the button of the declared type; "_IQ" checks IQ and leaves its Q
    // combo as it is; other types change nothing. Returns whether a button was checked.
    bool restoreDefault(const QString& declaredType);

  private:
    int channel_;
    uint8_t code_;
    QString sourceName_;
    DataTypeChoice choice_ = DataTypeChoice::None;
    int iq_ = -1;
    int uiq_ = -1;
};

}  // namespace tevra
