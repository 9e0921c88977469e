#pragma once

#include <QString>
#include <QStringView>
#include <QVector>

#include <cstdint>
#include <optional>

#include "description/DriveDescription.h"

namespace tevra {

class ProgramFolders;
class UserDialogs;

// One row of the register list (grid sgDebug, rows 1.. below the header): the address
// text ("0x" and at least four upper-case hexadecimal digits), the name and the type name.
struct RegisterRow {
    QString Address;
    QString Name;
    QString TypeName;
};

// "0x" followed by the number as at least four upper-case hexadecimal digits.
QString registerAddressText(uint32_t number);
// The address of an address text: its first two characters dropped, the rest read as
// hexadecimal (after trimming). None when that is not a 16-bit hexadecimal number.
std::optional<uint16_t> parseRegisterAddress(QStringView addressText);

// The register directory: the model's registers ([Register] of the drive description) and,
// in DSP mode, the definitions of Source/reg28xx.mit after them. The debug page shows it;
// the oscilloscope, the data-type dialog and the description readers look names up in it.
class RegisterDirectory {
  public:
    enum class Mode { Ram, Dsp };

    RegisterDirectory() = default;
    explicit RegisterDirectory(RegisterList registers);

    // Replaces the model's registers and goes back to RAM mode.
    void setRegisters(RegisterList registers);
    const RegisterList& registers() const { return registers_; }

    Mode mode() const { return mode_; }
    const QVector<RegisterRow>& rows() const { return rows_; }
    int count() const { return rows_.size(); }
    const RegisterRow& row(int index) const { return rows_[index]; }

    // DSP mode: the definitions of Source/reg28xx.mit are appended after the current rows.
    // A missing file shows message 10 (caption "提示", error icon) and changes nothing;
    // returns whether the mode changed.
    bool switchToDsp(const ProgramFolders& folders, UserDialogs& dialogs);
    // RAM mode: the rows go back to exactly the model's registers.
    void switchToRam();
    // MoniTypeBut: switches to the other mode.
    bool toggleMode(const ProgramFolders& folders, UserDialogs& dialogs);
    // The caption of MoniTypeBut for the current mode.
    QString modeButtonText() const;

    // First row whose trimmed name equals `name` without regard to case; -1 when none.
    int indexOfName(QStringView name) const;
    // The address of a row (parseRegisterAddress of its address text).
    std::optional<uint16_t> addressOf(int index) const;

    // The next row after `selected` whose name contains `text` (without regard to case),
    // wrapping round to the first row; -1 when none or when the text is empty.
    int findNext(QStringView text, int selected) const;

  private:
    void fillFromRegisters();

    RegisterList registers_;
    QVector<RegisterRow> rows_;
    Mode mode_ = Mode::Ram;
};

}  // namespace tevra
