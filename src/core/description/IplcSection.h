#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The iPLC segment parameters of the system description, from every [LpcmPara] section.
// Empty lines, lines beginning with ";" and lines without "=" are skipped; a line reads
// key "=" and then, separated by "*" (a "***" counts as one "*"):
//   name, default, lower, upper, unit, address (hexadecimal), description, type, effect,
//   index (decimal)
// Bounds are 32-bit decimal integers. A bound, address or index that is not a number fails
// the whole reader. The caller appends the entries to its list.
DescriptionResult<IplcParameterList> ReadIplcSection(const QStringList& systemLines,
                                                     const QString& file = QString());
DescriptionResult<IplcParameterList> ReadIplcSection(const ProgramFolders& folders,
                                                     const QString& relativeName);

}  // namespace tevra
