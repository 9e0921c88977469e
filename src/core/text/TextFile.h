#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace tevra {

// Text files as line lists: GBK bytes, lines split at CR LF, lone CR or lone LF, and
// written back with CR LF after every line. Writes replace the file atomically (a
// temporary file renamed over the old one), so a crash never leaves half a file.

std::optional<QByteArray> readFileBytes(const QString& path);
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The lines of a GBK text file; no value when the file cannot be read.
std::optional<QStringList> readTextLines(const QString& path);

// Writes the lines as GBK, each followed by CR LF.
bool writeTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

}  // namespace tevra
