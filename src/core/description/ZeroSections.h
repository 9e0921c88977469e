#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The calibration entries of the system description: one ZeroEntry per [...Zero] section
// (a header line that does not begin with ";" and contains "[" and "Zero]"). Key lines:
// "Name=", "Para=Pr" followed by a hexadecimal parameter number (a value that is not one
// fails the whole reader), "Reg=", "Hint=", "Permission=". Lines beginning with ";" and
// lines of no key are skipped.
DescriptionResult<ZeroList> ReadZeroSections(const QStringList& systemLines,
                                             const QString& file = QString());
DescriptionResult<ZeroList> ReadZeroSections(const ProgramFolders& folders,
                                             const QString& relativeName);

}  // namespace tevra
