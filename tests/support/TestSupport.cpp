#include "TestSupport.h"

#include <QFile>

namespace tevra::test {

QString sourceDir() {
    return QStringLiteral(TEVRA_SOURCE_DIR);
}

QString programDir() {
    return QStringLiteral(TEVRA_PROGRAM_DIR);
}

ScratchDir::ScratchDir() = default;

void ScratchDir::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
}

QByteArray ScratchDir::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void RecordingDialogs::showMessage(const QString& text, const QString& caption, MessageIcon icon) {
    entries.push_back({text, caption, icon, false});
}

bool RecordingDialogs::askYesNo(const QString& text, const QString& caption, MessageIcon icon) {
    entries.push_back({text, caption, icon, true});
    if (answers.empty()) {
        return defaultAnswer;
    }
    const bool a = answers.front();
    answers.erase(answers.begin());
    return a;
}

}  // namespace tevra::test
