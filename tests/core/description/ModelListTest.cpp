#include <gtest/gtest.h>

#include <QDir>

#include "TestSupport.h"
#include "description/ModelList.h"
#include "description/ProtectedTextFile.h"
#include "text/Gbk.h"

namespace tevra {
namespace {

ModelList fromText(const char* text) {
    return ModelList(IniFile::fromBytes(toGbk(QString::fromUtf8(text))));
}

TEST(ModelList, NamesFollowTheKeyNumbersUpToNumber) {
    const struct {
        const char* text;
        QStringList names;
    } cases[] = {
        {"[DriverType]\r\nNumber=3\r\n3=C\r\n0=A\r\n2= B \r\n", {"A", "B", "C"}},
        {"[DriverType]\r\nNumber=2\r\n0=A\r\n1=\r\n2=C\r\n3=beyond\r\n", {"A", "C"}},
        {"[DriverType]\r\n0=only key 0 without Number\r\n1=B\r\n", {"only key 0 without Number"}},
        {"[DriverType]\r\nNumber=5\r\n01=leading zero\r\n+2=sign\r\n1=B\r\n1=duplicate\r\n", {"B"}},
        {"[DriverType]\r\nNumber=2147483647\r\n7=far\r\n", {"far"}},
        {"[DriverType]\r\nNumber=-1\r\n0=A\r\n", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromText(c.text).names(), c.names) << c.text;
    }
}

TEST(ModelList, SelectionAndDataFiles) {
    ModelList list = fromText(
        "[DriverType]\r\nNumber=1\r\n0=伺服A\r\n1=ServoB\r\n"
        "[DataFile]\r\n伺服A= a.ddt \r\nservob=b.ddt\r\n"
        "[Default]\r\nSelect=1\r\nSelectModel=ServoB\r\n");
    EXPECT_EQ(list.selectedIndex(), 1);
    EXPECT_EQ(list.selectedModel(), QStringLiteral("ServoB"));
    EXPECT_EQ(list.dataFile(QStringLiteral("伺服A")), QStringLiteral("a.ddt"));
    EXPECT_EQ(list.dataFile(QStringLiteral("ServoB")), QStringLiteral("b.ddt"));
    EXPECT_TRUE(list.dataFile(QStringLiteral("Other")).isEmpty());
    EXPECT_TRUE(list.dataFile(QString()).isEmpty());

    ModelList empty = fromText("");
    EXPECT_EQ(empty.selectedIndex(), 0);
    EXPECT_TRUE(empty.selectedModel().isEmpty());
}

class ModelFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir(program.path()).mkpath(QStringLiteral("Source"));
        folders = ProgramFolders(program.path(), temp.path());
        program.write(QStringLiteral("DriType.dat"),
                      "; models\r\n[DriverType]\r\nNumber=2\r\n0=M1\r\n1=M2\r\n2=M3\r\n"
                      "[DataFile]\r\nM1=m1.ddt\r\nM2=missing.ddt\r\nM3=broken.ddt\r\n"
                      "[Default]\r\nSelect=0\r\nSelectModel=M1\r\n");
        ASSERT_TRUE(writeProtectedFileBytes(program.file(QStringLiteral("Source/m1.ddt")),
                                            "[Register]\r\nR0=0100%A%Int16%"));
        program.write(QStringLiteral("Source/broken.ddt"), "12 34\r\n");
    }

    test::ScratchDir program;
    test::ScratchDir temp;
    ProgramFolders folders;
};

TEST_F(ModelFolder, LoadsTheSelectedDescriptionOrSaysWhyNot) {
    ModelList list(folders);
    ASSERT_TRUE(list.exists());
    EXPECT_EQ(list.names(), (QStringList{"M1", "M2", "M3"}));

    auto loaded = LoadSelectedModelDescription(folders, list);
    EXPECT_EQ(loaded.status, ModelDescription::Status::Loaded);
    EXPECT_EQ(loaded.relativeName, QStringLiteral("\\Source\\m1.ddt"));
    EXPECT_EQ(loaded.lines, (QStringList{"[Register]", "R0=0100%A%Int16%"}));
    EXPECT_TRUE(modelFileExists(folders, QStringLiteral("m1.ddt")));
    EXPECT_FALSE(modelFileExists(folders, QStringLiteral("missing.ddt")));

    const struct {
        const char* model;
        ModelDescription::Status status;
    } failures[] = {
        {"M2", ModelDescription::Status::FileMissing},
        {"M3", ModelDescription::Status::Unreadable},
        {"M9", ModelDescription::Status::NoDataFile},
        {"", ModelDescription::Status::NoModelSelected},
    };
    for (const auto& f : failures) {
        auto d = LoadModelDescription(folders, list, QString::fromUtf8(f.model));
        EXPECT_EQ(d.status, f.status) << f.model;
        EXPECT_TRUE(d.lines.isEmpty()) << f.model;
        EXPECT_FALSE(d.message.isEmpty()) << f.model;
    }
}

TEST_F(ModelFolder, SelectionIsWrittenBackKeepingTheRest) {
    ModelList list(folders);
    list.setSelectedIndex(2);
    list.setSelectedModel(QStringLiteral("M3"));
    ASSERT_TRUE(list.save());

    const QByteArray saved = program.read(QStringLiteral("DriType.dat"));
    EXPECT_TRUE(saved.startsWith("; models\r\n[DriverType]\r\n"));
    ModelList again(folders);
    EXPECT_EQ(again.selectedIndex(), 2);
    EXPECT_EQ(again.selectedModel(), QStringLiteral("M3"));
    EXPECT_EQ(again.names().size(), 3);
}

}  // namespace
}  // namespace tevra
