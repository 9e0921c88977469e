#include "parameters/ParameterColours.h"

#include <QApplication>
#include <QPalette>
#include <QTextCharFormat>

namespace tevra {

QColor StyleQColor(StyleColour colour) {
    switch (colour) {
        case StyleColour::InfoText:
            return QApplication::palette().color(QPalette::ToolTipText);
        case StyleColour::MenuHighlight:
            return QColor(0x33, 0x99, 0xFF);
        case StyleColour::Black:
            return QColor(Qt::black);
        case StyleColour::Green:
            return QColor(0x00, 0x80, 0x00);
        case StyleColour::Fuchsia:
            return QColor(0xFF, 0x00, 0xFF);
        case StyleColour::Red:
            return QColor(0xFF, 0x00, 0x00);
        case StyleColour::Purple:
            return QColor(0x80, 0x00, 0x80);
        case StyleColour::Teal:
            return QColor(0x00, 0x80, 0x80);
        case StyleColour::Blue:
            return QColor(0x00, 0x00, 0xFF);
        case StyleColour::Navy:
            return QColor(0x00, 0x00, 0x80);
    }
    return QColor(Qt::black);
}

QColor LampQColor(LampColour colour) {
    switch (colour) {
        case LampColour::Idle:
            return QColor(0xD7, 0xE4, 0xF2);
        case LampColour::Lime:
            return QColor(0x00, 0xFF, 0x00);
        case LampColour::Fuchsia:
            return QColor(0xFF, 0x00, 0xFF);
        case LampColour::Grey:
            return QColor(0x80, 0x80, 0x80);
    }
    return QColor(0x80, 0x80, 0x80);
}

QTextCharFormat DetailCharFormat(const TextStyle& style) {
    QTextCharFormat f;
    f.setFontFamilies({style.fontFamily, QStringLiteral("Sans Serif")});
    f.setFontPointSize(style.pointSize + 1);
    f.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    f.setForeground(StyleQColor(style.colour));
    return f;
}

QTextCharFormat NoteCharFormat(const NoteStyle& style, const QFont& base) {
    QTextCharFormat f;
    f.setFont(base);
    f.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    f.setFontUnderline(style.underline);
    f.setForeground(StyleQColor(style.colour));
    return f;
}

QColor GridBackground(bool active) {
    return active ? QColor(Qt::white) : QColor(0xF0, 0xF0, 0xF0);
}

QColor GridText(bool active, bool offline) {
    if (offline) {
        return StyleQColor(StyleColour::Teal);
    }
    return active ? QColor(Qt::black) : QColor(0x7A, 0x8A, 0x9A);
}

}  // namespace tevra
