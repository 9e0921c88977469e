#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "shell/ProgramFolders.h"

namespace tevra {

// The help topic table: 51 entries, 0 to 24 filled with the topic file names.
inline constexpr int kHelpTopicCount = 51;
const QString& HelpTopic(int index);  // empty for an unused or out-of-range index

// Starts a viewer for a file without waiting for it; false when it could not be started.
using HelpViewerStarter = std::function<bool(const QString& program, const QStringList& args)>;

// Finds the programs that can show a help page, best first: the desktop's opener
// (xdg-open), then common browsers. Each entry is the absolute path of an executable.
QStringList FindHelpViewers();

struct HelpLaunchResult {
    bool started = false;
    QString path;     // the help page that was asked for
    QString message;  // what went wrong, for the user; empty when started
};

// Opens Help/<topic> of the program folder with the first viewer that starts. A missing
// help page or no usable viewer gives a message instead of silence. The launcher does not
// wait for the viewer.
HelpLaunchResult OpenHelpTopic(const ProgramFolders& folders, const QString& topic,
                               const QStringList& viewers, const HelpViewerStarter& start);
// The same with the system's viewers, started detached.
HelpLaunchResult OpenHelpTopic(const ProgramFolders& folders, const QString& topic);

}  // namespace tevra
