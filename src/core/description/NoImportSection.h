#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The parameters that an import must never write, from the [ProhibitedImportParameter]
// sections of the system description: every line containing "Pr" (exact case) is "Pr"
// followed by a hexadecimal parameter number; a line that is not fails the reader.
DescriptionResult<TNoImportPr> ReadNoImportSection(const QStringList& systemLines,
                                                   const QString& file = QString());
DescriptionResult<TNoImportPr> ReadNoImportSection(const ProgramFolders& folders,
                                                   const QString& relativeName);

}  // namespace tevra
