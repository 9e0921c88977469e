#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"

namespace tevra {

// Reads every [Register] section of the model description. Lines without "%" are skipped;
// a line reads key "=" four hexadecimal digits, one separator, name "%" type "%". A
// register number that is not hexadecimal fails the whole section.
DescriptionResult<RegisterList> ReadRegisterSection(const QStringList& modelLines,
                                                    const QString& file = QString());

}  // namespace tevra
