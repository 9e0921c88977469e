#include <gtest/gtest.h>

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "TestSupport.h"
#include "text/Gbk.h"

namespace tevra {
namespace {

using test::ScratchDir;

struct ToolRun {
    int exitCode = -1;
    bool crashed = true;
    QByteArray out;
    QString err;
};

ToolRun ddt(const QStringList& args) {
    QProcess p;
    p.start(test::programDir() + QStringLiteral("/tevra-ddt"), args);
    ToolRun r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.crashed = p.exitStatus() != QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString fixtures() {
    return test::sourceDir() + QStringLiteral("/tests/core/description/fixtures");
}

// The plain description sources: the fixtures here and the demo program folder's.
QStringList plainSources() {
    QStringList files;
    for (const QString& root : {fixtures(), test::sourceDir() + QStringLiteral("/demo/program")}) {
        QDirIterator it(root, {QStringLiteral("*.ddt.txt")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files.append(it.next());
        }
    }
    files.sort();
    return files;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray trimmed(QByteArray b) {
    while (!b.isEmpty() && static_cast<uint8_t>(b.front()) <= 32) {
        b.remove(0, 1);
    }
    while (!b.isEmpty() && static_cast<uint8_t>(b.back()) <= 32) {
        b.chop(1);
    }
    return b;
}

TEST(DdtTool, EveryDescriptionRoundTripsByteForByte) {
    ScratchDir scratch;
    const QStringList sources = plainSources();
    ASSERT_FALSE(sources.isEmpty());
    for (const QString& source : sources) {
        SCOPED_TRACE(source.toStdString());
        const QString first = scratch.file(QStringLiteral("first.ddt"));
        const QString plain = scratch.file(QStringLiteral("plain.txt"));
        const QString second = scratch.file(QStringLiteral("second.ddt"));
        ASSERT_EQ(ddt({QStringLiteral("encode"), source, first}).exitCode, 0);
        ASSERT_EQ(ddt({QStringLiteral("decode"), first, plain}).exitCode, 0);
        ASSERT_EQ(ddt({QStringLiteral("encode"), plain, second}).exitCode, 0);
        EXPECT_EQ(readAll(first), readAll(second));
        EXPECT_EQ(readAll(plain), trimmed(readAll(source)) + "\r\n");

        // A demo source laid out by the build holds exactly this encryption.
        const QString demoRoot = test::sourceDir() + QStringLiteral("/demo/program/");
        if (source.startsWith(demoRoot)) {
            QString rel = source.mid(demoRoot.size());
            rel.chop(4);  // ".txt"
            const QString built = test::programDir() + u'/' + rel;
            ASSERT_TRUE(QFile::exists(built)) << built.toStdString();
            ASSERT_EQ(ddt({QStringLiteral("decode"), built, plain}).exitCode, 0);
            EXPECT_EQ(readAll(plain), trimmed(readAll(source)) + "\r\n");
        }
    }
}

QMap<QString, int> sectionCounts(const QByteArray& json) {
    QMap<QString, int> counts;
    const QJsonArray sections = QJsonDocument::fromJson(json).object()["sections"].toArray();
    for (const auto& s : sections) {
        const QJsonObject o = s.toObject();
        counts.insert(o["section"].toString(), o.contains("error") ? -1 : o["count"].toInt());
    }
    return counts;
}

TEST(DdtTool, DumpShowsEverySectionWithItsCount) {
    ScratchDir scratch;
    const QString model = scratch.file(QStringLiteral("model.ddt"));
    const QString system = scratch.file(QStringLiteral("system.ddt"));
    ASSERT_EQ(ddt({"encode", fixtures() + "/Source/Fixture.ddt.txt", model}).exitCode, 0);
    ASSERT_EQ(ddt({"encode", fixtures() + "/System/SysConfig.ddt.txt", system}).exitCode, 0);

    const ToolRun m = ddt({QStringLiteral("dump"), model});
    ASSERT_EQ(m.exitCode, 0) << m.err.toStdString();
    const QMap<QString, int> modelCounts{
        {"[Parameter]", 6}, {"[Register]", 8}, {"[WaveRegDefing]", 3}, {"[ErrStuDefine]", 3}};
    EXPECT_EQ(sectionCounts(m.out), modelCounts);

    const ToolRun s = ddt({"dump", system, "--system", "--registers", model});
    ASSERT_EQ(s.exitCode, 0) << s.err.toStdString();
    const QMap<QString, int> systemCounts{{"[Wave...]", 2},
                                          {"[UserMonitor...]", 1},
                                          {"[...Zero]", 1},
                                          {"[LpcmPara]", 2},
                                          {"[IODat]", 1},
                                          {"[SysReg]", 1},
                                          {"[ProhibitedImportParameter]", 2}};
    EXPECT_EQ(sectionCounts(s.out), systemCounts);
    const QJsonObject io = QJsonDocument::fromJson(s.out)
                               .object()["sections"]
                               .toArray()[4]
                               .toObject()["records"]
                               .toArray()[0]
                               .toObject();
    EXPECT_EQ(io["XRegNumber"].toInt(), 0x106);
}

TEST(DdtTool, BadInputGivesAMessageAndAFailingStatus) {
    ScratchDir scratch;
    const QByteArray huge = "[Parameter]\r\nP=" + QByteArray(1 << 20, 'x') + "\r\n";
    const struct {
        const char* name;
        QByteArray plain;
        const char* message;
    } descriptions[] = {
        {"cut short", "[Parameter]\r\nP1=Speed.40.1", "PrNumber"},
        {"not a number", "[Register]\r\nR0=01G0%Speed%Int16%", "01G0"},
        {"odd characters", "[ErrStuDefine]\r\n\x01\xFF=\xFE{\x80}", "Code"},
        {"megabyte line", huge, "line 2"},
    };
    for (const auto& d : descriptions) {
        SCOPED_TRACE(d.name);
        const QString plain = scratch.file(QStringLiteral("bad.txt"));
        scratch.write(QStringLiteral("bad.txt"), d.plain);
        const ToolRun r = ddt({QStringLiteral("dump"), QStringLiteral("--plain"), plain});
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(d.message))) << r.err.toStdString();
        EXPECT_LT(r.err.size(), 1000);
    }

    scratch.write(QStringLiteral("bad.ddt"), "3E5782051018DBBX\r\n");
    const QStringList failing[] = {
        {"decode", scratch.file("bad.ddt"), scratch.file("out.txt")},
        {"dump", scratch.file("bad.ddt")},
        {"decode", scratch.file("missing.ddt"), scratch.file("out.txt")},
        {"encode", scratch.file("missing.txt"), scratch.file("out.ddt")},
    };
    for (const QStringList& args : failing) {
        const ToolRun r = ddt(args);
        EXPECT_FALSE(r.crashed) << args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(ddt({"decode", scratch.file("bad.ddt"), scratch.file("out.txt")})
                    .err.contains(QStringLiteral("Error: not a Hex String")));
    EXPECT_FALSE(QFile::exists(scratch.file(QStringLiteral("out.txt"))));

    for (const QStringList& args : {QStringList{}, QStringList{"encode", "x"},
                                    QStringList{"dump", "--bogus", "x"}, QStringList{"frob"}}) {
        EXPECT_EQ(ddt(args).exitCode, 2) << args.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace tevra
