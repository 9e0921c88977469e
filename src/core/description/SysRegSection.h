#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The output status register from the [SysReg] sections of the system description: the
// first line containing "OutStus=" (exact case) names it. The first register of
// `registers` with exactly that name is copied whole; when none has it, only the name is
// set. Without such a line the entry stays empty.
DescriptionResult<RegisterEntry> ReadSysRegSection(const QStringList& systemLines,
                                                   const RegisterList& registers,
                                                   const QString& file = QString());
DescriptionResult<RegisterEntry> ReadSysRegSection(const ProgramFolders& folders,
                                                   const QString& relativeName,
                                                   const RegisterList& registers);

}  // namespace tevra
