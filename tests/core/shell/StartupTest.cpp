#include <gtest/gtest.h>

#include <QDir>
#include <QMap>
#include <QSet>

#include "TestSupport.h"
#include "shell/HelpTopics.h"
#include "shell/StartupCheck.h"
#include "shell/TipMessages.h"

namespace tevra {
namespace {

TEST(StartupCheck, FlagsAndErrorLinesPerMissingFile) {
    struct Case {
        QSet<QString> present;  // of SysConfig, Gain
        bool configIni;
        uint8_t flags;
        QString code;
    };
    const QString sys = QStringLiteral("\\System\\SysConfig.ddt");
    const QString gain = QStringLiteral("\\System\\Gain.ddt");
    const Case cases[] = {
        {{sys, gain}, true, 0, QString()},
        {{sys, gain}, false, 4, QStringLiteral("04")},
        {{gain}, true, 1, QStringLiteral("01")},
        {{}, false, 7, QStringLiteral("07")},
    };
    for (const Case& c : cases) {
        test::ScratchDir program;
        if (c.configIni) {
            program.write(QStringLiteral("Config.ini"), "[Systemset]\r\n");
        }
        QStringList extracted;
        const ProgramFolders folders(program.path(), program.path());
        const StartupCheckResult r =
            RunStartupCheck(folders, [&](const QString& rel, const QString& plain) {
                extracted << rel + QStringLiteral(" -> ") + plain;
                return c.present.contains(rel);
            });
        EXPECT_EQ(extracted, (QStringList{sys + QStringLiteral(" -> Define.dat"),
                                          gain + QStringLiteral(" -> Gain.dat")}));
        EXPECT_EQ(r.MissingFileFlags, c.flags);
        EXPECT_EQ(r.ok(), c.flags == 0);
        if (c.flags == 0) {
            EXPECT_TRUE(r.errorLines.isEmpty());
            continue;
        }
        EXPECT_EQ(r.errorLines.last(),
                  QStringLiteral(u"错误代码：%1，由于重要文件缺失，系统将退出！").arg(c.code));
    }
}

TEST(StartupCheck, LinesComeInFileOrder) {
    EXPECT_EQ(StartupErrorLines(7),
              (QStringList{QStringLiteral(u"参数配置文件丢失，文件名: \\System\\SysConfig.ddt。"),
                           QStringLiteral(u"自适应增益文件丢失，文件名: \\System\\Gain.ddt。"),
                           QStringLiteral(u"系统配置文件丢失，文件名: \\Config.ini。"),
                           QStringLiteral(u"错误代码：07，由于重要文件缺失，系统将退出！")}));
    EXPECT_EQ(StartupErrorLines(4).size(), 2);
    EXPECT_EQ(MissingFileErrorCode(4), "04");
}

TEST(TipMessages, FilledEntriesCaptionsAndFillMarks) {
    // Entries whose "%s" marks callers fill, with the number of marks; all others have none.
    const QMap<int, int> marks = {{15, 2}, {17, 2}, {18, 1}, {19, 2}, {20, 2}, {21, 2}, {31, 1},
                                  {32, 2}, {54, 1}, {55, 1}, {56, 1}, {57, 1}, {58, 1}};
    const TTipMessages& tip = TipMessages();
    for (int i = -1; i <= TTipMessages::kCount; ++i) {
        const bool filled = i >= 1 && i <= 63;
        EXPECT_EQ(tip[i].isEmpty(), !filled) << "entry " << i;
        EXPECT_LE(tip[i].size(), TTipMessages::kTextCapacity) << "entry " << i;
        EXPECT_EQ(tip[i].count(QStringLiteral("%s")), marks.value(i, 0)) << "entry " << i;
    }
    EXPECT_EQ(caption::information(), QStringLiteral(u"提示"));
    EXPECT_EQ(caption::warning(), QStringLiteral(u"警告"));
    EXPECT_EQ(caption::success(), QStringLiteral(u"成功"));
    EXPECT_EQ(caption::error(), QStringLiteral(u"错误"));
    EXPECT_EQ(tip[10].count(u'"'), 4);
}

TEST(HelpTopics, TableAndLauncher) {
    EXPECT_EQ(HelpTopic(0), "introduction.htm");
    EXPECT_EQ(HelpTopic(5), "new_topic5.htm");
    EXPECT_EQ(HelpTopic(15), "new_topic2.htm");
    EXPECT_EQ(HelpTopic(24), "findpara.htm");
    EXPECT_TRUE(HelpTopic(25).isEmpty());
    EXPECT_TRUE(HelpTopic(-1).isEmpty());

    test::ScratchDir program;
    QDir(program.path()).mkpath(QStringLiteral("Help"));
    program.write(QStringLiteral("Help/new_topic5.htm"), "<html></html>");
    const ProgramFolders folders(program.path(), program.path());
    QStringList started;
    auto starter = [&](bool works) {
        return [&started, works](const QString& viewer, const QStringList& args) {
            started << viewer + u' ' + args.join(u' ');
            return works;
        };
    };

    // The first viewer that starts gets the page.
    HelpLaunchResult r = OpenHelpTopic(folders, HelpTopic(5), {"/bin/a", "/bin/b"}, starter(true));
    EXPECT_TRUE(r.started);
    EXPECT_EQ(started, QStringList{"/bin/a " + program.path() + "/Help/new_topic5.htm"});

    // No viewer that starts: a message naming the page instead of silence.
    started.clear();
    r = OpenHelpTopic(folders, HelpTopic(5), {"/bin/a", "/bin/b"}, starter(false));
    EXPECT_FALSE(r.started);
    EXPECT_EQ(started.size(), 2);
    EXPECT_TRUE(r.message.contains(r.path));
    r = OpenHelpTopic(folders, HelpTopic(5), {}, starter(true));
    EXPECT_FALSE(r.started);
    EXPECT_FALSE(r.message.isEmpty());

    // A page that is not there is reported without starting anything.
    started.clear();
    r = OpenHelpTopic(folders, HelpTopic(15), {"/bin/a"}, starter(true));
    EXPECT_FALSE(r.started);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(r.message.contains(QStringLiteral("new_topic2.htm")));
}

}  // namespace
}  // namespace tevra
