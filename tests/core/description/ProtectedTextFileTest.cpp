#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "TestSupport.h"
#include "description/DesEcb.h"
#include "description/ProtectedTextFile.h"
#include "text/Gbk.h"

namespace tevra {
namespace {

using test::ScratchDir;

TEST(DesEcb, StandardVectorAndParityFreeShortKey) {
    const QByteArray key = QByteArray::fromHex("133457799BBCDFF1");
    const QByteArray block = QByteArray::fromHex("0123456789ABCDEF");
    EXPECT_EQ(desEcbEncrypt(block, key).toHex().toUpper(), QByteArray("85E813540F0AB405"));
    EXPECT_EQ(desEcbDecrypt(QByteArray::fromHex("85E813540F0AB405"), key), block);

    // "qz" + NULs has bad parity; the parity bits must not change the cipher.
    const QByteArray plain("abc\0\0\0\0\0", 8);
    const QByteArray withParity = QByteArray::fromHex("707B010101010101");
    EXPECT_EQ(desEcbEncrypt(plain, "qz"), desEcbEncrypt(plain, withParity));
    // Only the first 8 key bytes count; a partial block is dropped.
    EXPECT_EQ(desEcbEncrypt(plain, QByteArray("qz\0\0\0\0\0\0zzz", 11)),
              desEcbEncrypt(plain, "qz"));
    EXPECT_EQ(desEcbEncrypt(QByteArray(12, 'x'), "qz").size(), 8);
}

TEST(ProtectedText, EncodesKnownTextsWithTheSharedKey) {
    // Reference values computed with an independent DES implementation.
    auto abc = EncodeProtectedText(QStringLiteral("abc"));
    ASSERT_TRUE(abc);
    EXPECT_EQ(*abc, QStringLiteral("3E5782051018DBB4"));
    auto chinese = EncodeProtectedText(QStringLiteral("速度\r\nabc"));
    ASSERT_TRUE(chinese);
    EXPECT_EQ(*chinese, QStringLiteral("481F910B47A44E5EA444027A8C23CE7C"));

    auto back = DecodeProtectedText(*chinese);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, QStringLiteral("速度\r\nabc"));
}

TEST(ProtectedText, LengthsPairsAndCase) {
    const struct {
        int length;
        int digits;
    } lengths[] = {{0, 0}, {1, 16}, {3, 16}, {8, 16}, {9, 32}, {16, 32}, {17, 48}};
    for (const auto& c : lengths) {
        const QString plain(c.length, QLatin1Char('x'));
        auto hex = EncodeProtectedText(plain);
        ASSERT_TRUE(hex) << c.length;
        EXPECT_EQ(hex->size(), c.digits) << c.length;
        auto back = DecodeProtectedText(*hex);
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, plain);
    }

    const QString hex = QStringLiteral("3E5782051018DBB4");
    EXPECT_EQ(*DecodeProtectedText(hex.toLower()), QStringLiteral("abc"));
    // A single trailing digit, and a partial trailing block, are dropped.
    EXPECT_EQ(*DecodeProtectedText(hex + QStringLiteral("7")), QStringLiteral("abc"));
    EXPECT_EQ(*DecodeProtectedText(hex + QStringLiteral("0102")), QStringLiteral("abc"));
    EXPECT_EQ(*DecodeProtectedText(hex + QStringLiteral("Z")), QStringLiteral("abc"));
}

TEST(ProtectedText, ErrorsAreValuesWithTheFixedTexts) {
    const QString bad[] = {
        QStringLiteral("3E578205 1018DBB4"),
        QStringLiteral("3E5782051018DBB\u4E2D"),  // a non-Latin character
        QStringLiteral("3E5782051018DBBG"),
        QStringLiteral("3E5782051018DBB4\r\n2211"),  // the hex text split over lines
        QStringLiteral("0x3E5782051018DB"),
    };
    for (const QString& hex : bad) {
        auto r = DecodeProtectedText(hex);
        ASSERT_FALSE(r) << hex.toStdString();
        EXPECT_EQ(r.error().kind, DescriptionErrorKind::NotHex);
        EXPECT_EQ(r.error().message, QStringLiteral("Error: not a Hex String"));
    }

    auto nul = EncodeProtectedText(QStringLiteral("abc") + QChar(u'\0'));
    ASSERT_FALSE(nul);
    EXPECT_EQ(nul.error().kind, DescriptionErrorKind::LastCharNul);
    EXPECT_EQ(nul.error().message, QStringLiteral("Error: the last char is NULL char."));

    // A NUL inside the text survives; at its end it is lost, which is why encoding refuses.
    const QString inner = QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b");
    EXPECT_EQ(*DecodeProtectedText(*EncodeProtectedText(inner)), inner);
}

TEST(ProtectedText, BytesThatAreNotGbkSurviveTheByteForm) {
    const QByteArray plain("\xFF\x80\x81 x", 5);
    auto hex = encodeProtectedBytes(plain, "qz");
    ASSERT_TRUE(hex);
    auto back = decodeProtectedBytes(*hex, "qz");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, plain);
}

class ProtectedFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir(program.path()).mkpath(QStringLiteral("System"));
        folders = ProgramFolders(program.path(), temp.path());
    }
    void writeProtected(const QString& name, const QByteArray& plain) {
        program.write(name, *encodeProtectedBytes(plain, "qz") + "\r\n");
    }

    ScratchDir program;
    ScratchDir temp;
    ProgramFolders folders;
};

TEST_F(ProtectedFiles, LoadSplitsEveryKindOfLineBreakAndTrimsTheFile) {
    writeProtected(QStringLiteral("System/SysConfig.ddt"),
                   toGbk(QStringLiteral("[IODat]\r\nXReg=速度\nb\rc")));
    // Blanks and line breaks around the hex text do not matter.
    const QByteArray hex = program.read(QStringLiteral("System/SysConfig.ddt"));
    program.write(QStringLiteral("System/SysConfig.ddt"), "  \r\n" + hex + "\r\n\r\n\t");

    auto lines = LoadProtectedFile(folders, protected_file::kSystemDescription);
    ASSERT_TRUE(lines) << lines.error().toString().toStdString();
    EXPECT_EQ(*lines, (QStringList{"[IODat]", "XReg=速度", "b", "c"}));
}

TEST_F(ProtectedFiles, MissingAndCorruptFilesNameTheFile) {
    auto missing = LoadProtectedFile(folders, QStringLiteral("\\Source\\none.ddt"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, DescriptionErrorKind::FileMissing);
    EXPECT_EQ(missing.error().file, QStringLiteral("\\Source\\none.ddt"));

    writeProtected(QStringLiteral("System/Gain.ddt"), "Gain=1\r\nGain=2");
    QByteArray hex = program.read(QStringLiteral("System/Gain.ddt")).trimmed();
    program.write(QStringLiteral("System/Gain.ddt"), hex.left(16) + "\r\n" + hex.mid(16) + "\r\n");
    auto split = LoadProtectedFile(folders, protected_file::kGainTable);
    ASSERT_FALSE(split);
    EXPECT_EQ(split.error().kind, DescriptionErrorKind::NotHex);
    EXPECT_TRUE(split.error().toString().contains(QStringLiteral("\\System\\Gain.ddt")));

    // Nothing is extracted from a corrupt file, and an older copy is kept.
    temp.write(QStringLiteral("Gain.dat"), "old");
    EXPECT_FALSE(
        ExtractProtectedFile(folders, protected_file::kGainTable, protected_file::kGainPlain));
    EXPECT_EQ(temp.read(QStringLiteral("Gain.dat")), QByteArray("old"));
}

TEST_F(ProtectedFiles, ExtractWritesCrLfLinesAndReturnsTheTrimmedText) {
    writeProtected(QStringLiteral("System/SysConfig.ddt"), "a\nb\r\n\r\nc \xFF\x41");
    temp.write(QStringLiteral("Define.dat"), "an older copy");

    auto text = ExtractProtectedFileText(folders, protected_file::kSystemDescription,
                                         protected_file::kDefinePlain);
    ASSERT_TRUE(text);
    EXPECT_EQ(temp.read(QStringLiteral("Define.dat")), QByteArray("a\r\nb\r\n\r\nc \xFF\x41\r\n"));
    EXPECT_EQ(*text, QStringLiteral("a\r\nb\r\n\r\nc ") + fromGbk("\xFF\x41"));
}

TEST_F(ProtectedFiles, SaveTrimsAndWritesOneHexLine) {
    ASSERT_TRUE(SaveProtectedFile(folders, protected_file::kGainTable,
                                  QStringLiteral("\r\n  增益=1\r\n\r\n")));
    const QByteArray file = program.read(QStringLiteral("System/Gain.ddt"));
    EXPECT_TRUE(file.endsWith("\r\n"));
    EXPECT_EQ(file.count('\n'), 1);
    EXPECT_EQ(*LoadProtectedFile(folders, protected_file::kGainTable),
              QStringList{QStringLiteral("增益=1")});

    // An empty text gives an empty hex line, which decodes to no lines.
    ASSERT_TRUE(SaveProtectedFile(folders, protected_file::kGainTable, QStringLiteral(" \r\n")));
    EXPECT_EQ(program.read(QStringLiteral("System/Gain.ddt")), QByteArray("\r\n"));
    EXPECT_TRUE(LoadProtectedFile(folders, protected_file::kGainTable)->isEmpty());
}

TEST_F(ProtectedFiles, StartUpCopiesAndTheirRemovalAtExit) {
    writeProtected(QStringLiteral("System/SysConfig.ddt"), "[SysReg]");
    auto missingGain = ExtractSystemPlainCopies(folders);
    ASSERT_FALSE(missingGain);
    EXPECT_EQ(missingGain.error().kind, DescriptionErrorKind::FileMissing);
    EXPECT_EQ(missingGain.error().file, protected_file::kGainTable);

    writeProtected(QStringLiteral("System/Gain.ddt"), "Gain");
    ASSERT_TRUE(ExtractSystemPlainCopies(folders));
    temp.write(QStringLiteral("~tmpDri1.dll"), "x");
    const QStringList names{"Define.dat", "Gain.dat", "~tmpDri1.dll"};

    RemovePlainCopiesAtExit(folders, /*administratorMode=*/true);
    for (const QString& n : names) {
        EXPECT_TRUE(QFile::exists(temp.file(n))) << n.toStdString();
    }
    temp.write(QStringLiteral("keep.txt"), "x");
    RemovePlainCopiesAtExit(folders, /*administratorMode=*/false);
    for (const QString& n : names) {
        EXPECT_FALSE(QFile::exists(temp.file(n))) << n.toStdString();
    }
    EXPECT_TRUE(QFile::exists(temp.file(QStringLiteral("keep.txt"))));
    RemovePlainCopiesAtExit(folders, false);  // nothing left to delete
}

}  // namespace
}  // namespace tevra
