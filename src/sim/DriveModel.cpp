#include "DriveModel.h"

#include "DemoSignals.h"
#include "description/AlarmSection.h"
#include "description/ModelList.h"
#include "description/ParameterSection.h"
#include "description/ProtectedTextFile.h"
#include "description/RegisterSection.h"
#include "scope/SampleType.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra::sim {

namespace {

// A parameter takes two words when its type is 32 bits wide; "_IQ" parameters are 32-bit
// values too, although the oscilloscope does not sample them.
bool isWide(uint8_t typeCode) {
    return sampleWords(typeCode) == 2 || typeCode == sample_type::kUnusedIq;
}

// The encoder parameters: "[prNNN]" headers (hexadecimal), "Addres=" (decimal, or "$" /
// "0x" hexadecimal) and "DefultValue=" (decimal).
QMap<uint16_t, uint16_t> readEncoderDefaults(const QStringList& lines) {
    QMap<uint16_t, uint16_t> values;
    int current = -1;
    uint16_t value = 0;
    auto flush = [&] {
        if (current >= 0) {
            values[static_cast<uint16_t>(current)] = value;
        }
    };
    for (const QString& raw : lines) {
        const QString line = trimText(raw);
        if (containsNoCase(line, u"[pr") && line.contains(QLatin1Char(']'))) {
            flush();
            QString number = removeAllNoCase(line, u"[pr");
            number.remove(QLatin1Char(']'));
            current = static_cast<int>(parseHex32(trimText(number)).value_or(0) & 0xFFFF);
            value = 0;
            continue;
        }
        if (current < 0) {
            continue;
        }
        if (startsWithNoCase(line, u"Addres=")) {
            if (auto a = parseIntSetting(trimText(line.mid(7)))) {
                current = *a & 0xFFFF;
            }
        } else if (startsWithNoCase(line, u"DefultValue=")) {
            value = static_cast<uint16_t>(parseInt64(trimText(line.mid(12))).value_or(0) & 0xFFFF);
        }
    }
    flush();
    return values;
}

}  // namespace

std::optional<DriveModel> loadDriveModel(const ProgramFolders& folders, const QString& model,
                                         QString* error) {
    const ModelList models(folders);
    const ModelDescription description = model.isEmpty()
                                             ? LoadSelectedModelDescription(folders, models)
                                             : LoadModelDescription(folders, models, model);
    if (description.status != ModelDescription::Status::Loaded) {
        if (error) {
            *error = description.message.isEmpty()
                         ? QStringLiteral("no model description in %1").arg(folders.programFolder())
                         : description.message;
        }
        return std::nullopt;
    }
    DriveModel result;
    result.name = description.model;
    const QStringList& lines = description.lines;

    if (auto parameters = ReadParameterSection(lines, description.relativeName)) {
        for (const ParameterEntry& e : parameters->entries) {
            ParameterDefault p;
            p.number = e.PrNumber;
            p.wide = isWide(e.TypeCode);
            p.value = static_cast<uint32_t>(parseInt64(trimText(e.DefaultText)).value_or(0));
            result.parameters.push_back(p);
        }
    } else {
        result.warnings << parameters.error().toString();
    }
    if (auto registers = ReadRegisterSection(lines, description.relativeName)) {
        for (const RegisterEntry& r : *registers) {
            result.registers.insert(trimText(r.Name), r.Number);
        }
    } else {
        result.warnings << registers.error().toString();
    }
    if (auto alarms = ReadAlarmSection(lines, description.relativeName)) {
        result.alarmRegisters = alarms->statusRegisters;
    } else {
        result.warnings << alarms.error().toString();
    }
    if (auto encoder = LoadProtectedFile(folders, protected_file::kEncoderTable)) {
        result.encoderParameters = readEncoderDefaults(*encoder);
    } else {
        result.warnings << encoder.error().toString();
    }
    return result;
}

void applyModelIdentity(SimulatedDrive& drive, const QString& model) {
    QString compact = model;
    compact.remove(QLatin1Char('-'));
    drive.setInfoString(3, model);
    drive.setInfoString(4, QStringLiteral("GENERAL"));
    drive.setInfoString(5, QStringLiteral("V1.06"));
    drive.setInfoString(6, compact + QStringLiteral("-2403"));
    drive.setInfoString(7, QStringLiteral("TVDA-DSP-0106"));
    // The serial number: 0x2403 then a unit number per model.
    uint16_t unit = 0x0001;
    if (model.endsWith(QLatin1String("02"))) {
        unit = 0x0815;
    } else if (model.endsWith(QLatin1String("04"))) {
        unit = 0x1120;
    } else if (model.endsWith(QLatin1String("08"))) {
        unit = 0x2046;
    }
    drive.setEepromWord(0x520, 0x2403);
    drive.setEepromWord(0x522, unit);
    drive.setInfoNumber((model + QStringLiteral("-220V")).toLatin1());
}

void applyDriveModel(SimulatedDrive& drive, const DriveModel& model) {
    drive.setParameterDefaults(model.parameters);
    if (!model.encoderParameters.isEmpty()) {
        // The description gives the settings; the version is the encoder's own.
        QMap<uint16_t, uint16_t> encoder = model.encoderParameters;
        if (encoder.contains(SimulatedDrive::kEncoderVersionPr)) {
            encoder[SimulatedDrive::kEncoderVersionPr] = 0x0203;
        }
        drive.setEncoderParameters(encoder);
    }
    const AlarmStatusRegisters& a = model.alarmRegisters;
    drive.setAlarmRegisters(a.ErrStuReg1, a.ErrStuReg2, a.ErrStuReg3);
    applyModelIdentity(drive, model.name);

    DemoSignalSettings settings;
    settings.alarmRegisters[0] = a.ErrStuReg1;
    settings.alarmRegisters[1] = a.ErrStuReg2;
    settings.alarmRegisters[2] = a.ErrStuReg3;
    bindDemoSignals(drive, model.registers.isEmpty() ? demoRegisterAddresses() : model.registers,
                    settings);
}

}  // namespace tevra::sim
