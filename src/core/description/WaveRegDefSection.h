#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"

namespace tevra {

// Reads every [WaveRegDefing] section of the model description (the administrator's
// monitor list). Lines without ":" are skipped; a line reads
//   key "=" number-in-hex ":" name "*" unit "*" hint "*" tag "*" coefficient
// The coefficient is 1 when it is not a decimal integer; a number that is not hexadecimal
// fails the whole section. TypeCode is left for the monitor page to fill from the
// register list; RegisterName stays empty.
DescriptionResult<MonitorList> ReadWaveRegDefSection(const QStringList& modelLines,
                                                     const QString& file = QString());

}  // namespace tevra
