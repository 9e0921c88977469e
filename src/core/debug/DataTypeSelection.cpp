#include "debug/DataTypeSelection.h"

#include "debug/RegisterDirectory.h"
#include "ini/IniFile.h"
#include "scope/WaveSources.h"
#include "text/TextUtil.h"

namespace tevra {

QString declaredSourceType(QStringView sourceName, const WaveSourceCatalog& catalog) {
    if (!catalog.Registers) {
        return {};
    }
    const QString name = trimText(sourceName);
    if (catalog.AdministratorMode) {
        for (const RegisterRow& row : catalog.Registers->rows()) {
            if (trimText(row.Name) == name) {
                return trimText(row.TypeName).toUpper();
            }
        }
        return {};
    }
    if (!catalog.Entries) {
        return {};
    }
    for (const WaveSourceEntry& entry : *catalog.Entries) {
        if (!equalsNoCase(trimText(entry.Name), name)) {
            continue;
        }
        const int row = catalog.Registers->indexOfName(trimText(entry.RegisterName));
        return row < 0 ? QString() : trimText(catalog.Registers->row(row).TypeName).toUpper();
    }
    return {};
}

bool dataTypesSetByHand(const IniFile& config) {
    return trimText(config.readString(QStringLiteral("frmOptions"), QStringLiteral("DataAdaptMode"),
                                      QStringLiteral("1"))) != QStringLiteral("0");
}

std::optional<uint8_t> automaticSampleType(QStringView declaredType) {
    return sampleTypeFromRegisterWord(trimText(declaredType));
}

DataTypeDialogState::DataTypeDialogState(int channel, uint8_t currentCode, QString sourceName)
    : channel_(channel), code_(currentCode), sourceName_(trimText(sourceName)) {
    const DataTypeSelection selection = dataTypeSelectionForCode(currentCode);
    choice_ = selection.choice;
    if (choice_ == DataTypeChoice::IQ) {
        iq_ = selection.q;
    } else if (choice_ == DataTypeChoice::UIQ) {
        uiq_ = selection.q;
    }
}

DataTypeDialogState::Outcome DataTypeDialogState::confirm(const QString& declaredType) {
    DataTypeSelection selection{choice_, 0};
    switch (choice_) {
        case DataTypeChoice::None:
            return Outcome::NothingChecked;
        case DataTypeChoice::IQ:
        case DataTypeChoice::UIQ: {
            const int q = choice_ == DataTypeChoice::IQ ? iq_ : uiq_;
            if (q < 0 || q > sample_type::kMaxQ) {
                return Outcome::QFormatMissing;
            }
            selection.q = q;
            break;
        }
        case DataTypeChoice::Float32: {
            const QString declared = declaredType.toUpper();
            if (declared == QStringLiteral("INT16") || declared == QStringLiteral("UINT16")) {
                return Outcome::LengthMismatch;
            }
            break;
        }
        default:
            break;
    }
    const std::optional<uint8_t> code = sampleTypeForSelection(selection);
    if (!code) {
        return Outcome::NothingChecked;
    }
    code_ = *code;
    return Outcome::Accepted;
}

QString DataTypeDialogState::refusalText(Outcome outcome, const QString& declaredType) const {
    switch (outcome) {
        case Outcome::QFormatMissing:
            return QStringLiteral("请选择Q格式类型！");
        case Outcome::LengthMismatch:
            return QStringLiteral("原始数据类型为%1，数据长度不对，请重新设置。")
                .arg(declaredType.toUpper());
        default:
            return {};
    }
}

bool DataTypeDialogState::restoreDefault(const QString& declaredType) {
    const QString t = declaredType.toUpper();
    if (t == QStringLiteral("INT16")) {
        choice_ = DataTypeChoice::Int16;
    } else if (t == QStringLiteral("UINT16")) {
        choice_ = DataTypeChoice::Uint16;
    } else if (t == QStringLiteral("INT32")) {
        choice_ = DataTypeChoice::Int32;
    } else if (t == QStringLiteral("UINT32")) {
        choice_ = DataTypeChoice::Uint32;
    } else if (t == QStringLiteral("FLOAT32")) {
        choice_ = DataTypeChoice::Float32;
    } else if (t == QStringLiteral("_IQ")) {
        choice_ = DataTypeChoice::IQ;
    } else {
        return false;
    }
    return true;
}

}  // namespace tevra
