#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <utility>
#include <vector>

#include "shell/UserDialogs.h"

namespace tevra::test {

// The source tree and the program folder the build laid out.
QString sourceDir();
QString programDir();

// A scratch folder removed at the end of the test.
class ScratchDir {
  public:
    ScratchDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

  private:
    QTemporaryDir dir_;
};

// Records every message and question; questions are answered from a queue (Yes when the
// queue is empty unless defaultAnswer says otherwise).
class RecordingDialogs : public UserDialogs {
  public:
    struct Entry {
        QString text;
        QString caption;
        MessageIcon icon;
        bool question;
    };
    void showMessage(const QString& text, const QString& caption, MessageIcon icon) override;
    bool askYesNo(const QString& text, const QString& caption, MessageIcon icon) override;

    std::vector<Entry> entries;
    std::vector<bool> answers;
    bool defaultAnswer = true;
};

}  // namespace tevra::test
