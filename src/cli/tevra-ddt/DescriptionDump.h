#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "description/DriveDescription.h"

namespace tevra::ddt {

enum class DescriptionKind { Model, System };

struct DumpResult {
    QJsonObject json;
    bool ok = true;  // false when a section could not be read
    QStringList errors;
};

// Runs the section readers of one kind of description over its lines and gives every
// section with its record count, its records, its warnings or its error. `registers` is
// the register list the [IODat] and [SysReg] readers look names up in.
DumpResult dumpDescription(const QStringList& lines, DescriptionKind kind, const QString& file,
                           const RegisterList& registers);

}  // namespace tevra::ddt
