#include "shell/HelpTopics.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <array>

namespace tevra {
namespace {

const std::array<QString, kHelpTopicCount>& topics() {
    static const std::array<QString, kHelpTopicCount> table = [] {
        std::array<QString, kHelpTopicCount> t;
        const char* names[] = {
            "introduction.htm", "ready.htm",      "welcome_topic.htm", "new_topic4.htm",
            "new_topic8.htm",   "new_topic5.htm", "modifypara.htm",    "backuppara.htm",
            "importpara.htm",   "viewpara.htm",   "xorio.htm",         "runtip.htm",
            "new_topic6.htm",   "new_topic7.htm", "zero.htm",          "new_topic2.htm",
            "backupwve.htm",    "importwve.htm",  "trig.htm",          "fig.htm",
            "compare.htm",      "integral.htm",   "bitmod.htm",        "hotKey.htm",
            "findpara.htm"};
        for (size_t i = 0; i < std::size(names); ++i) {
            t[i] = QString::fromLatin1(names[i]);
        }
        return t;
    }();
    return table;
}

}  // namespace

const QString& HelpTopic(int index) {
    static const QString empty;
    if (index < 0 || index >= kHelpTopicCount) {
        return empty;
    }
    return topics()[static_cast<size_t>(index)];
}

QStringList FindHelpViewers() {
    QStringList viewers;
    const char* candidates[] = {"xdg-open",      "sensible-browser", "x-www-browser",
                                "firefox-esr",   "firefox",          "chromium",
                                "google-chrome", "epiphany-browser", "konqueror"};
    for (const char* name : candidates) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) {
            viewers << path;
        }
    }
    return viewers;
}

HelpLaunchResult OpenHelpTopic(const ProgramFolders& folders, const QString& topic,
                               const QStringList& viewers, const HelpViewerStarter& start) {
    HelpLaunchResult result;
    result.path = folders.programPath(QStringLiteral("Help/") + topic);
    if (topic.isEmpty() || !QFileInfo(result.path).isFile()) {
        result.message = QStringLiteral(u"帮助文件不存在：%1").arg(result.path);
        return result;
    }
    for (const QString& viewer : viewers) {
        if (start(viewer, {result.path})) {
            result.started = true;
            return result;
        }
    }
    result.message =
        QStringLiteral(u"未找到可以打开帮助文件的程序(xdg-open 或网页浏览器)，帮助文件：%1")
            .arg(result.path);
    return result;
}

HelpLaunchResult OpenHelpTopic(const ProgramFolders& folders, const QString& topic) {
    return OpenHelpTopic(folders, topic, FindHelpViewers(),
                         [](const QString& program, const QStringList& args) {
                             return QProcess::startDetached(program, args);
                         });
}

}  // namespace tevra
