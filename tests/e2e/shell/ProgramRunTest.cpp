#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include "TestSupport.h"
#include "ini/IniFile.h"

namespace tevra {
namespace {

// The program as a user starts it: its own program folder (a copy of the build's) and its
// own temporary folder, run unattended (--screenshot) to the end.
class ProgramRun : public ::testing::Test {
  protected:
    void SetUp() override {
        tool = QDir(test::programDir()).filePath(QStringLiteral("tevra"));
        if (!QFileInfo(tool).isExecutable() ||
            !QFileInfo(QDir(test::programDir()).filePath(QStringLiteral("tevra-drive-sim")))
                 .isExecutable()) {
            GTEST_SKIP() << "the tool or the simulated drive program is not built";
        }
        program = root.file(QStringLiteral("program"));
        temp = root.file(QStringLiteral("tmp"));
        shots = root.file(QStringLiteral("shots"));
        QDir().mkpath(temp);
        copyDescription(test::programDir(), program);
    }

    static void copyDescription(const QString& from, const QString& to) {
        QDir().mkpath(to);
        for (const QFileInfo& fi :
             QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (fi.isDir()) {
                copyDescription(fi.filePath(), to + u'/' + fi.fileName());
            } else if (!fi.isExecutable()) {
                QFile::copy(fi.filePath(), to + u'/' + fi.fileName());
            }
        }
    }

    int run(QStringList arguments) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), temp);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        arguments << QStringLiteral("--program-dir") << program << QStringLiteral("--screenshot")
                  << shots;
        p.start(tool, arguments);
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << "the tool did not finish: " << p.readAll().toStdString();
            return -1;
        }
        output = QString::fromLocal8Bit(p.readAll());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    bool plainCopiesLeft() const {
        return QFileInfo::exists(temp + QStringLiteral("/Define.dat")) ||
               QFileInfo::exists(temp + QStringLiteral("/Gain.dat"));
    }

    test::ScratchDir root;
    QString tool, program, temp, shots, output;
};

TEST_F(ProgramRun, DemoSessionAsUserConnectsSavesAndCleansUp) {
    ASSERT_EQ(run({QStringLiteral("--demo")}), 0) << output.toStdString();
    for (const char* shot : {"login.png", "main.png", "connection.png"}) {
        EXPECT_TRUE(QFileInfo::exists(shots + u'/' + QString::fromLatin1(shot))) << shot;
    }
    const IniFile config(program + QStringLiteral("/Config.ini"));
    // The connection saved the port in use; the close saved the station and the palette.
    EXPECT_TRUE(config.readString("ComSet", "Port").contains(QStringLiteral("tevra-demo")));
    EXPECT_EQ(config.readInt("ComSet", "Baud", -1), 13);
    EXPECT_TRUE(config.hasKey("framConnect", "MachNoCom"));
    EXPECT_TRUE(config.hasKey("frmTool", "Top"));
    // A user's plain copies of the system files are removed at exit.
    EXPECT_FALSE(plainCopiesLeft());
    // The demo drive and its folder are gone.
    EXPECT_TRUE(QDir(temp).entryList({QStringLiteral("tevra-demo-*")}, QDir::Dirs).isEmpty());
}

TEST_F(ProgramRun, AdministratorKeepsThePlainCopies) {
    ASSERT_EQ(run({QStringLiteral("--demo"), QStringLiteral("--admin")}), 0)
        << output.toStdString();
    EXPECT_TRUE(plainCopiesLeft());
}

TEST_F(ProgramRun, MissingConfigIniShowsTheSystemErrorAndEnds) {
    QFile::remove(program + QStringLiteral("/Config.ini"));
    EXPECT_EQ(run({}), 1) << output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(shots + QStringLiteral("/system-error.png")));
    EXPECT_FALSE(QFileInfo::exists(shots + QStringLiteral("/main.png")));
    EXPECT_FALSE(QFileInfo::exists(program + QStringLiteral("/Config.ini")));
    EXPECT_FALSE(plainCopiesLeft());
}

}  // namespace
}  // namespace tevra
