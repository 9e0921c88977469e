#pragma once

#include <QString>
#include <QStringList>

namespace tevra {

class ProgramFolders;
class RegisterDirectory;
class UserDialogs;

// The search texts of the register list, Query/Debug.dat in the program folder, one per
// line. A missing file is an empty history; saving creates the folder when needed.
class SearchHistory {
  public:
    explicit SearchHistory(QString path);
    static SearchHistory forProgram(const ProgramFolders& folders);

    const QString& path() const { return path_; }

    // The lines of the file as stored.
    QStringList lines() const;
    // The entries the search combo lists: every line, trimmed, in file order.
    QStringList entries() const;
    // Appends `text` unless a line equals it without regard to case (after trimming); an
    // empty text is not stored.
    bool remember(const QString& text);
    // Removes entry `index` of `entries` and stores the rest, one per line in list order.
    bool removeEntry(QStringList& entries, int index);

  private:
    QString path_;
};

// GoClick of the register list: remembers the trimmed text and returns the row found by
// RegisterDirectory::findNext. Without a match it shows "对不起，没找到匹配字符！" (caption
// "提示", error icon) and returns -1.
int searchRegister(const RegisterDirectory& directory, const QString& text, int selected,
                   SearchHistory& history, UserDialogs& dialogs);

}  // namespace tevra
