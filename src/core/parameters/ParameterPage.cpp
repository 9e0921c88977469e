#include "parameters/ParameterPage.h"

#include "link/DriveLink.h"
#include "parameters/EepromImages.h"
#include "parameters/ParameterReadEngine.h"
#include "parameters/ParameterValues.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra {

ParameterPage::ParameterPage(DriveLink& link, UserDialogs& dialogs,
                             ReadFailureReporter& readFailures, bool administrator,
                             const IoDefinition& io, const RegisterEntry& outputStatus,
                             QObject* parent)
    : QObject(parent),
      link_(link),
      dialogs_(dialogs),
      readFailures_(readFailures),
      administrator_(administrator),
      grid_(3, this),
      io_(link, io, outputStatus, this) {
    FillParameterGrid();
}

void ParameterPage::SetEntries(ParameterList entries) {
    entries_ = std::move(entries);
    FillParameterGrid();
    selectedRow_ = 1;
    Q_EMIT selectionChanged(selectedRow_);
    ShowParameterDetails();
}

void ParameterPage::FillParameterGrid() {
    grid_.setCell(0, 0, QStringLiteral(u"参数号"));
    grid_.setCell(0, 1, QStringLiteral(u"名称"));
    grid_.setCell(0, 2, QStringLiteral(u"当前值"));
    QVector<QStringList> rows;
    rows.reserve(entries_.size());
    const QString unknown = QString::fromUtf16(kUnknownValueText);
    for (const ParameterEntry& e : entries_) {
        if (!administrator_ && trimText(e.AccessLevel) == QLatin1String("2")) {
            continue;
        }
        rows.append({PrNumberText(e.PrNumber), e.Name, unknown});
    }
    grid_.setDataRows(rows);
    if (selectedRow_ >= grid_.gridRowCount()) {
        selectedRow_ = 1;
    }
    Q_EMIT gridRebuilt();
}

void ParameterPage::SelectRow(int row) {
    if (row <= 0 || row >= grid_.gridRowCount()) {
        return;
    }
    selectedRow_ = row;
    Q_EMIT selectionChanged(row);
    ShowParameterDetails();
}

const ParameterEntry* ParameterPage::selectedEntry() const {
    const std::optional<uint32_t> pr = ParsePrNumberText(grid_.cell(selectedRow_, 0));
    if (!pr) {
        return nullptr;
    }
    const int index = FindParameterIndex(entries_, *pr);
    return index < 0 ? nullptr : &entries_[index];
}

void ParameterPage::ShowParameterDetails() {
    const int r = selectedRow_;
    if (r <= 0 || r >= grid_.gridRowCount()) {
        return;
    }
    const ParameterEntry* entry = selectedEntry();
    if (entry != nullptr) {
        valueMaxLength_ = ValueBoxMaxLength(*entry, administrator_);
        details_ = ParameterDetailParagraphs(*entry);
    } else if (administrator_) {
        valueMaxLength_ = 0;
    }
    currentValue_ = trimText(grid_.cell(r, 2));
    newValue_ = currentValue_;
    Q_EMIT detailsChanged();
}

void ParameterPage::setWriteTarget(WriteTarget target) {
    if (target_ == target) {
        return;
    }
    target_ = target;
    Q_EMIT writeTargetChanged();
}

void ParameterPage::showValue(int row, const QString& decimal) {
    grid_.setCell(row, 2, GridValueText(decimal));
    currentValue_ = decimal;
    Q_EMIT detailsChanged();
}

void ParameterPage::ReadBackParameter() {
    const ParameterEntry* entry = selectedEntry();
    if (entry == nullptr) {
        return;
    }
    const int row = selectedRow_;
    const ReadKind kind = ReadKindOf(entry->TypeCode);
    if (IsWordRead(kind)) {
        uint16_t value = 0;
        if (link_.ReadWordReported(entry->PrNumber, value, readFailures_)) {
            showValue(row, ReadValueText(kind, value));
        }
    } else if (kind != ReadKind::None) {
        uint32_t value = 0;
        if (link_.ReadDWord(entry->PrNumber, value)) {
            showValue(row, ReadValueText(kind, value));
        }
    }
}

void ParameterPage::WriteParameter() {
    if (!link_.isConnected()) {
        dialogs_.showMessage(TipMessages()[2], QStringLiteral(u" 错误"), MessageIcon::Error);
        return;
    }
    const ParameterEntry* found = selectedEntry();
    if (found == nullptr) {
        return;
    }
    // A copy: the messages below let the event loop run.
    const ParameterEntry entry = *found;
    const uint16_t pr = entry.PrNumber;
    const std::optional<int64_t> value = parseInt64(trimText(newValue_));
    if (!value) {
        dialogs_.showMessage(TipMessages()[36], caption::error(), MessageIcon::Error);
        return;
    }
    // A write of a group parameter reloads the boxes; any other write leaves a reload that
    // is still pending (after a connect) in place, so the boxes are never written back to
    // the drive before they were read from it.
    for (int g = 1; g <= IoPanel::kGroups; ++g) {
        if (io_.GroupParameter(g) == pr) {
            io_.InversionReloadPending = true;
        }
    }
    if (*value < entry.LowerBound || *value > entry.UpperBound) {
        if (!administrator_) {
            dialogs_.showMessage(TipMessages()[30], caption::error(), MessageIcon::Error);
            return;
        }
        if (!dialogs_.askYesNo(TipMessages()[29], caption::information(),
                               MessageIcon::Information)) {
            return;
        }
    }
    const auto word = static_cast<uint16_t>(static_cast<uint64_t>(*value) & 0xFFFF);
    const auto dword = static_cast<uint32_t>(static_cast<uint64_t>(*value) & 0xFFFFFFFF);
    const WriteWidth width = WriteWidthOf(entry.TypeName);
    auto writeEeprom = [&] {
        const bool ok = width == WriteWidth::Word ? WriteEepromImages16(link_, pr, word)
                                                  : WriteEepromImages32(link_, pr, dword);
        ReadBackParameter();
        return ok;
    };

    if (!IsPowerUpParameter(entry)) {
        bool ramWritten = false;
        if (width == WriteWidth::Word) {
            ramWritten = link_.WriteWord(pr, word);
        } else if (width == WriteWidth::DoubleWord) {
            ramWritten = link_.WriteDWord(pr, dword);
        }
        if (target_ == WriteTarget::Ram) {
            ReadBackParameter();
            if (trimText(entry.TypeName).isEmpty() && entry.Name.toUpper().contains(u"LPCM") &&
                refreshIplcParameter) {
                refreshIplcParameter(entry);
            }
            if (ramWritten) {
                dialogs_.showMessage(TipMessages()[23], caption::information(),
                                     MessageIcon::Information);
            } else {
                dialogs_.showMessage(TipMessages()[22], caption::error(), MessageIcon::Error);
            }
            return;
        }
        if (width == WriteWidth::None) {
            return;
        }
        if (!writeEeprom()) {
            dialogs_.showMessage(TipMessages()[27], caption::error(), MessageIcon::Error);
        } else if (ramWritten) {
            dialogs_.showMessage(TipMessages()[26], caption::information(),
                                 MessageIcon::Information);
        } else {
            // The EEPROM holds the value but the RAM write failed: it takes effect at the
            // next power-up, which is what message 28 says.
            dialogs_.showMessage(TipMessages()[28], caption::information(),
                                 MessageIcon::Information);
        }
        return;
    }

    if (target_ == WriteTarget::Ram) {
        setWriteTarget(WriteTarget::Eeprom);
    }
    if (width == WriteWidth::None) {
        return;
    }
    if (writeEeprom()) {
        dialogs_.showMessage(TipMessages()[28], caption::information(), MessageIcon::Information);
    } else {
        dialogs_.showMessage(TipMessages()[27], caption::error(), MessageIcon::Error);
    }
}

void ParameterPage::RequestRefresh() {
    if (link_.isConnected()) {
        ParameterRefreshRequested = true;
    }
}

void ParameterPage::RunReadService(StatusProgress* progress) {
    ReadAllParameters(link_, grid_, entries_, readFailures_, progress);
    ParameterRefreshRequested = false;
    ShowParameterDetails();
}

void ParameterPage::RunIoService() {
    io_.UpdateIoLamps();
    if (io_.InversionWritePending) {
        io_.InversionWritePending = false;
        io_.WriteInversionGroups();
    }
    if (io_.anyGroupDirty()) {
        io_.RefreshInversionCells(grid_);
    }
    if (io_.InversionReloadPending) {
        io_.InversionReloadPending = false;
        io_.LoadInversionBoxes();
    }
    io_.UpdatePulseDirectionLamps();
    io_.UpdateServoOnLamp();
}

void ParameterPage::LinkStateChanged(bool connected) {
    scheme_ = connected ? GridScheme::Active : GridScheme::Inactive;
    if (connected) {
        io_.InversionReloadPending = true;
    } else {
        io_.setLampsIdle();
    }
    Q_EMIT gridSchemeChanged();
}

void ParameterPage::ShowOfflineValues() {
    scheme_ = GridScheme::Offline;
    Q_EMIT gridSchemeChanged();
}

}  // namespace tevra
