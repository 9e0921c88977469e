#pragma once

#include <QStringList>
#include <QVector>

#include "debug/RegisterDirectory.h"

namespace tevra {

// The rows of a DSP register definition file (Source/reg28xx.mit) given as lines. The first
// line is never examined; at most 2000 lines follow; a line containing "=END OF DEFINE=="
// (any case) ends the list. A definition line reads
//   #define NAME *comment*) 0xADDR)
// and gives the row (address, name, "Uint16"); other lines are skipped.
QVector<RegisterRow> parseRegisterDefinitions(const QStringList& lines);

}  // namespace tevra
