#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The user-level signal lists of the system description: one record per [Wave...] or
// [UserMonitor...] section (a header line that does not begin with ";" and contains
// "[Wave" or "[UserMonitor"), added even when the section is empty. Key lines:
// "Name=", "Reg=", "Hint=", "Unit=", "Coefficient=" (decimal; a value that is not a number
// fails the whole reader). Lines beginning with ";" and lines of no key are skipped.
// "[WaveRegDefing]" is a [Wave...] header too.

DescriptionResult<WaveSourceList> ReadWaveSections(const QStringList& systemLines,
                                                   const QString& file = QString());
DescriptionResult<MonitorList> ReadUserMonitorSections(const QStringList& systemLines,
                                                       const QString& file = QString());

// The same, decoding the protected file `relativeName` of the program folder afresh.
DescriptionResult<WaveSourceList> ReadWaveSections(const ProgramFolders& folders,
                                                   const QString& relativeName);
DescriptionResult<MonitorList> ReadUserMonitorSections(const ProgramFolders& folders,
                                                       const QString& relativeName);

}  // namespace tevra
