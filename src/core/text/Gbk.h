#pragma once

#include <QByteArray>
#include <QString>

namespace tevra {

// Conversion between Unicode and the GBK (code page 936) bytes the drive files and the
// user's files are stored in. Bytes that are not valid GBK decode to U+FFFD; characters
// without a GBK form encode as "?", as the Windows conversion does.
QString fromGbk(const QByteArray& bytes);
QByteArray toGbk(const QString& text);

}  // namespace tevra
