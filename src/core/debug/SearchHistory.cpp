#include "debug/SearchHistory.h"

#include <QDir>
#include <QFileInfo>

#include "debug/RegisterDirectory.h"
#include "shell/ProgramFolders.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

namespace tevra {

namespace {

bool saveLines(const QString& path, const QStringList& lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return writeTextLines(path, lines);
}

}  // namespace

SearchHistory::SearchHistory(QString path) : path_(std::move(path)) {}

SearchHistory SearchHistory::forProgram(const ProgramFolders& folders) {
    return SearchHistory(folders.programPath(QStringLiteral("\\Query\\Debug.dat")));
}

QStringList SearchHistory::lines() const {
    if (!QFileInfo(path_).isFile()) {
        return {};
    }
    return readTextLines(path_).value_or(QStringList());
}

QStringList SearchHistory::entries() const {
    QStringList result;
    for (const QString& line : lines()) {
        result << trimText(line);
    }
    return result;
}

bool SearchHistory::remember(const QString& text) {
    QString t = trimText(text);
    if (t.isEmpty()) {
        return true;
    }
    QStringList stored = lines();
    for (const QString& line : stored) {
        if (trimText(line).toUpper() == t.toUpper()) {
            return true;
        }
    }
    stored << t;
    return saveLines(path_, stored);
}

bool SearchHistory::removeEntry(QStringList& entries, int index) {
    if (index < 0 || index >= entries.size()) {
        return false;
    }
    entries.removeAt(index);
    return saveLines(path_, entries);
}

int searchRegister(const RegisterDirectory& directory, const QString& text, int selected,
                   SearchHistory& history, UserDialogs& dialogs) {
    QString t = trimText(text);
    history.remember(t);
    int found = directory.findNext(t, selected);
    if (found < 0) {
        dialogs.showMessage(QStringLiteral("对不起，没找到匹配字符！"), caption::information(),
                            MessageIcon::Error);
    }
    return found;
}

}  // namespace tevra
