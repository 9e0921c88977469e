#include <gtest/gtest.h>

#include "TestSupport.h"
#include "text/Gbk.h"
#include "text/Numbers.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

using namespace tevra;

TEST(Gbk, RoundTripsChineseAndAscii) {
    const QString text = QStringLiteral("参数号 Pr0A 速度增益€");
    const QByteArray bytes = toGbk(text);
    // 参 is B2 CE in code page 936; the euro sign is the single byte 0x80.
    EXPECT_EQ(bytes.left(2), QByteArray("\xB2\xCE"));
    EXPECT_EQ(bytes.right(1), QByteArray("\x80"));
    EXPECT_EQ(fromGbk(bytes), text);
}

TEST(Gbk, InvalidBytesAndUnmappableCharactersDoNotStopConversion) {
    EXPECT_EQ(fromGbk(QByteArray("a\xFF"
                                 "b")),
              QStringLiteral("a\uFFFDb"));
    EXPECT_EQ(toGbk(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
}

TEST(TextUtil, TrimRemovesEveryControlCharacterAndBlank) {
    const char16_t raw[] = u"\0\t \r\n x y \x1f\x20";
    EXPECT_EQ(trimText(QStringView(raw, std::size(raw) - 1)), QStringLiteral("x y"));
    EXPECT_EQ(trimText(u"   "), QString());
}

TEST(TextUtil, SplitLinesAtEveryKindOfBreak) {
    EXPECT_EQ(splitLines(u"a\r\nb\rc\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines(u"a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(splitLines(u"").isEmpty());
    EXPECT_EQ(joinLinesCrLf({"a", "", "b"}), QStringLiteral("a\r\n\r\nb\r\n"));
}

TEST(TextUtil, CaseInsensitiveHelpers) {
    EXPECT_TRUE(equalsNoCase(u"SystemSet", u"systemset"));
    EXPECT_EQ(removeAllNoCase(QStringLiteral("X0_4=Pr1A"), u"x0_4=pr"), QStringLiteral("1A"));
    EXPECT_EQ(hexText(0x0A), QStringLiteral("0A"));
    EXPECT_EQ(hexText(0x1F4), QStringLiteral("1F4"));
    EXPECT_EQ(hexText(5, 4), QStringLiteral("0005"));
}

TEST(Numbers, DecimalAndHexadecimalWithExplicitFailure) {
    struct Case {
        const char* text;
        std::optional<int64_t> dec;
        std::optional<uint64_t> hex;
    };
    const Case cases[] = {
        {"0", 0, 0},
        {"-12", -12, std::nullopt},
        {"+7", 7, std::nullopt},
        {"1A", std::nullopt, 0x1A},
        {"ff", std::nullopt, 0xFF},
        {"", std::nullopt, std::nullopt},
        {" 1", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"9223372036854775807", INT64_MAX, std::nullopt},
        {"-9223372036854775808", INT64_MIN, std::nullopt},
        {"9223372036854775808", std::nullopt, std::nullopt},
        {"FFFFFFFFFFFFFFFF", std::nullopt, UINT64_MAX},
        {"10000000000000000", 10000000000000000, std::nullopt},
        {"FFFFFFFFFFFFFFFF0", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const QString t = QString::fromLatin1(c.text);
        EXPECT_EQ(parseInt64(t), c.dec) << c.text;
        EXPECT_EQ(parseHex64(t), c.hex) << c.text;
    }
    EXPECT_EQ(parseInt32(u"2147483648"), std::nullopt);
    EXPECT_EQ(parseHex32(u"100000000"), std::nullopt);
    EXPECT_EQ(parseIntSetting(u"$10"), 16);
    EXPECT_EQ(parseIntSetting(u"0x10"), 16);
    EXPECT_EQ(parseIntSetting(u"abc"), std::nullopt);
}

TEST(Numbers, DoublesAreLocaleFree) {
    EXPECT_EQ(parseDouble(u"0.5"), 0.5);
    EXPECT_EQ(parseDouble(u"-3"), -3.0);
    EXPECT_EQ(parseDouble(u"1e3"), 1000.0);
    EXPECT_EQ(parseDouble(u".5"), 0.5);
    EXPECT_EQ(parseDouble(u"0,5"), std::nullopt);
    EXPECT_EQ(parseDouble(u"1e"), std::nullopt);
    EXPECT_EQ(parseDouble(u"inf"), std::nullopt);
    EXPECT_EQ(parseDouble(u""), std::nullopt);
}

TEST(TextFile, WritesGbkWithCrLfAndReadsAnyBreak) {
    test::ScratchDir dir;
    ASSERT_TRUE(writeTextLines(dir.file("a.txt"), {QStringLiteral("名称"), "x"}));
    EXPECT_EQ(dir.read("a.txt"), QByteArray("\xC3\xFB\xB3\xC6\r\nx\r\n"));
    dir.write("b.txt", "one\ntwo\rthree");
    EXPECT_EQ(readTextLines(dir.file("b.txt")), (QStringList{"one", "two", "three"}));
    EXPECT_EQ(readTextLines(dir.file("missing.txt")), std::nullopt);
}
