#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The digital I/O definition from the [IODat] sections of the system description: the
// parameter numbers "X0_4=Pr..", "X5_9=Pr..", "X10_14=Pr..", "Y0_4=Pr..", "Y5_9=Pr.."
// (hexadecimal; a value that is not one fails the reader) and the register names
// "XReg=", "YReg=". The register numbers are looked up by exact name in `registers`
// (0xFFFF when not found).
DescriptionResult<IoDefinition> ReadIoSection(const QStringList& systemLines,
                                              const RegisterList& registers,
                                              const QString& file = QString());
DescriptionResult<IoDefinition> ReadIoSection(const ProgramFolders& folders,
                                              const QString& relativeName,
                                              const RegisterList& registers);

}  // namespace tevra
