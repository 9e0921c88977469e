#include "text/TextFile.h"

#include <QFile>
#include <QSaveFile>

#include "text/Gbk.h"
#include "text/TextUtil.h"

namespace tevra {

std::optional<QByteArray> readFileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return f.readAll();
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = f.errorString();
        }
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        if (error) {
            *error = f.errorString();
        }
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) {
            *error = f.errorString();
        }
        return false;
    }
    return true;
}

std::optional<QStringList> readTextLines(const QString& path) {
    auto bytes = readFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return splitLines(fromGbk(*bytes));
}

bool writeTextLines(const QString& path, const QStringList& lines, QString* error) {
    return writeFileAtomically(path, toGbk(joinLinesCrLf(lines)), error);
}

}  // namespace tevra
