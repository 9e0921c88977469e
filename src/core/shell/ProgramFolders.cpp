#include "shell/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>

namespace tevra {
namespace {

QString withTrailingSlash(QString folder) {
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    return folder;
}

QString joinRelative(const QString& folder, QString name) {
    name.replace(u'\\', u'/');
    while (name.startsWith(u'/')) {
        name.remove(0, 1);
    }
    return folder + name;
}

}  // namespace

ProgramFolders::ProgramFolders(QString programFolder, QString tempFolder)
    : program_(withTrailingSlash(std::move(programFolder))),
      temp_(withTrailingSlash(std::move(tempFolder))) {}

ProgramFolders ProgramFolders::forApplication() {
    return ProgramFolders(QCoreApplication::applicationDirPath(), QDir::tempPath());
}

QString ProgramFolders::programPath(const QString& relativeName) const {
    return joinRelative(program_, relativeName);
}

QString ProgramFolders::tempPath(const QString& name) const {
    return joinRelative(temp_, name);
}

}  // namespace tevra
