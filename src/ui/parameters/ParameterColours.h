#pragma once

#include <QColor>
#include <QFont>

#include "parameters/IoPanel.h"
#include "parameters/ParameterDetails.h"
#include "parameters/ParameterFiles.h"

class QTextCharFormat;

namespace tevra {

// The window colours of the parameter page and its dialogs.
QColor StyleQColor(StyleColour colour);
QColor LampQColor(LampColour colour);

// The character format of a description style and of a note viewer style.
QTextCharFormat DetailCharFormat(const TextStyle& style);
QTextCharFormat NoteCharFormat(const NoteStyle& style, const QFont& base);

// The grid colours: background and text while disconnected, connected, or showing a file.
QColor GridBackground(bool active);
QColor GridText(bool active, bool offline);

}  // namespace tevra
