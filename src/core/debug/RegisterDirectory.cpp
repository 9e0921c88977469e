#include "debug/RegisterDirectory.h"

#include <QFileInfo>

#include "debug/RegisterDefinitionFile.h"
#include "scope/SampleType.h"
#include "shell/ProgramFolders.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"
#include "text/Numbers.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

namespace tevra {

QString registerAddressText(uint32_t number) {
    return QStringLiteral("0x") + hexText(number, 4);
}

std::optional<uint16_t> parseRegisterAddress(QStringView addressText) {
    QString text = trimText(addressText);
    if (text.size() <= 2) {
        return std::nullopt;
    }
    std::optional<uint32_t> value = parseHex32(QStringView(text).mid(2));
    if (!value || *value > 0xFFFF) {
        return std::nullopt;
    }
    return uint16_t(*value);
}

RegisterDirectory::RegisterDirectory(RegisterList registers) {
    setRegisters(std::move(registers));
}

void RegisterDirectory::setRegisters(RegisterList registers) {
    registers_ = std::move(registers);
    switchToRam();
}

void RegisterDirectory::fillFromRegisters() {
    rows_.clear();
    rows_.reserve(registers_.size());
    for (const RegisterEntry& r : registers_) {
        rows_.push_back(
            {registerAddressText(r.Number), trimText(r.Name), sampleTypeName(r.TypeCode)});
    }
}

bool RegisterDirectory::switchToDsp(const ProgramFolders& folders, UserDialogs& dialogs) {
    QString path = folders.programPath(QStringLiteral("\\Source\\reg28xx.mit"));
    std::optional<QStringList> lines;
    if (QFileInfo(path).isFile()) {
        lines = readTextLines(path);
    }
    if (!lines) {
        dialogs.showMessage(TipMessages()[10], caption::information(), MessageIcon::Error);
        return false;
    }
    mode_ = Mode::Dsp;
    rows_ += parseRegisterDefinitions(*lines);
    return true;
}

void RegisterDirectory::switchToRam() {
    mode_ = Mode::Ram;
    fillFromRegisters();
}

bool RegisterDirectory::toggleMode(const ProgramFolders& folders, UserDialogs& dialogs) {
    if (mode_ == Mode::Ram) {
        return switchToDsp(folders, dialogs);
    }
    switchToRam();
    return true;
}

QString RegisterDirectory::modeButtonText() const {
    return mode_ == Mode::Ram ? QStringLiteral("启动DSP监控 &M") : QStringLiteral("启动RAM监控 &M");
}

int RegisterDirectory::indexOfName(QStringView name) const {
    for (int i = 0; i < rows_.size(); ++i) {
        if (equalsNoCase(trimText(rows_[i].Name), name)) {
            return i;
        }
    }
    return -1;
}

std::optional<uint16_t> RegisterDirectory::addressOf(int index) const {
    if (index < 0 || index >= rows_.size()) {
        return std::nullopt;
    }
    return parseRegisterAddress(rows_[index].Address);
}

int RegisterDirectory::findNext(QStringView text, int selected) const {
    if (text.isEmpty()) {
        return -1;
    }
    for (int i = std::max(selected + 1, 0); i < rows_.size(); ++i) {
        if (containsNoCase(rows_[i].Name, text)) {
            return i;
        }
    }
    for (int i = 0; i < rows_.size(); ++i) {
        if (containsNoCase(rows_[i].Name, text)) {
            return i;
        }
    }
    return -1;
}

}  // namespace tevra
