#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

#include <memory>

#include "TestSupport.h"
#include "WidgetApp.h"
#include "link/TermiosSerialPort.h"
#include "shell/AppContext.h"
#include "shell/QtUserDialogs.h"

namespace tevra::test {

// A program folder with a Config.ini, a context on it with an unopened link, and message
// boxes that do not block (questions answered from a queue).
struct ShellFixture {
    explicit ShellFixture(const QByteArray& configIni = "[Systemset]\r\n") {
        widgetApp();
        dir.write(QStringLiteral("Config.ini"), configIni);
        // The demo description of the build's program folder.
        QDir(dir.path()).mkpath(QStringLiteral("System"));
        QDir(dir.path()).mkpath(QStringLiteral("Source"));
        const QDir program(programDir());
        for (const QString& name :
             {QStringLiteral("System/SysConfig.ddt"), QStringLiteral("System/Gain.ddt"),
              QStringLiteral("DriType.dat")}) {
            QFile::copy(program.filePath(name), dir.file(name));
        }
        for (const QString& name :
             QDir(program.filePath(QStringLiteral("Source"))).entryList(QDir::Files)) {
            QFile::copy(program.filePath(QStringLiteral("Source/") + name),
                        dir.file(QStringLiteral("Source/") + name));
        }
        ctx.folders = ProgramFolders(dir.path(), dir.path());
        ctx.config = IniFile(ctx.folders.configIniPath());
        ctx.link = std::make_unique<DriveLink>(std::make_unique<TermiosSerialPort>());
        ctx.newSerialPort = [] { return std::make_unique<TermiosSerialPort>(); };
        ctx.listSerialPorts = [] { return QStringList(); };
        dialogs.setNonBlocking(true);
        ctx.dialogs = &dialogs;
    }
    ~ShellFixture() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == u"messageBox" || w->objectName() == u"balloonHint") {
                w->close();
            }
        }
    }
    IniFile savedConfig() const { return IniFile(dir.file(QStringLiteral("Config.ini"))); }

    ScratchDir dir;
    AppContext ctx;
    QtUserDialogs dialogs;
};

template <typename T>
T* find(QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace tevra::test
