#pragma once

#include <QMap>
#include <QString>
#include <QVector>

#include <optional>

#include "SimulatedDrive.h"
#include "description/DriveDescription.h"
#include "shell/ProgramFolders.h"

namespace tevra::sim {

// What a simulated drive takes from a program folder's description: the model's
// parameter defaults, register addresses and alarm status registers, and the encoder
// parameters of \System\Encoder.ddt.
struct DriveModel {
    QString name;
    QVector<ParameterDefault> parameters;
    QMap<QString, uint16_t> registers;  // name -> address
    AlarmStatusRegisters alarmRegisters;
    QMap<uint16_t, uint16_t> encoderParameters;  // Pr -> default
    QStringList warnings;                        // what could not be read, in sentences
};

// Reads the model `model` (the selected one of DriType.dat when empty). Fails with a
// sentence in `error` when the model description cannot be read at all.
std::optional<DriveModel> loadDriveModel(const ProgramFolders& folders, const QString& model,
                                         QString* error = nullptr);

// Sets the drive up as that model: parameters in RAM and the three EEPROM images, the
// encoder store, the alarm registers, the identity (information strings, serial number,
// drive information) and the demo signals on its registers.
void applyDriveModel(SimulatedDrive& drive, const DriveModel& model);

// The identity of a model: information codes 3..7, serial number words, drive information.
void applyModelIdentity(SimulatedDrive& drive, const QString& model);

}  // namespace tevra::sim
