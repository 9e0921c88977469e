#pragma once

#include <QString>
#include <QVector>

#include "description/DriveDescription.h"

namespace tevra {

// Colours of the text styles, named as the window system names them; the window maps
// them to its palette.
enum class StyleColour {
    InfoText,       // the system's info-text colour
    MenuHighlight,  // the system's menu-highlight colour
    Black,
    Green,
    Fuchsia,
    Red,
    Purple,
    Teal,
    Blue,
    Navy,
};

// A named text style of the description view's style sheet.
struct TextStyle {
    QString name;
    QString fontFamily;
    int pointSize = 8;
    bool bold = false;
    StyleColour colour = StyleColour::Black;
};

// The style sheet of the parameter description view.
const QVector<TextStyle>& ParameterDetailStyles();
// The style of that name; the "Title" style for an unknown name.
const TextStyle& ParameterDetailStyle(const QString& name);

// One run of text in a style.
struct StyledRun {
    QString text;
    QString style;
};

// A paragraph of the description view, or a horizontal break.
struct DetailParagraph {
    QVector<StyledRun> runs;
    bool horizontalBreak = false;
};

// What the description view shows for a parameter: its name, range, unit, factory value,
// effect mode and relation, a break, and the description.
QVector<DetailParagraph> ParameterDetailParagraphs(const ParameterEntry& entry);

// The maximum length of the value box: none (0) for the administrator; for a user the
// length of the longer of the two bound texts of RangeText.
int ValueBoxMaxLength(const ParameterEntry& entry, bool administrator);

}  // namespace tevra
