#include <gtest/gtest.h>

#include "scope/SampleType.h"

namespace tevra {
namespace {

struct ConvertCase {
    uint8_t code;
    uint32_t raw;
    double expected;
};

TEST(SampleType, ConvertsRawSlotsByCode) {
    const ConvertCase cases[] = {
        {0, 0x0000FFFF, -1.0},
        {0, 0xABCD8000, -32768.0},  // only the low half counts
        {1, 0x0000FFFF, 65535.0},
        {1, 0xFFFF0001, 1.0},
        {2, 0xFFFFFFFE, -2.0},
        {3, 0xFFFFFFFE, 4294967294.0},
        {6, 0x0000FFFF, -0.5},      // IQ1, 16-bit
        {20, 0x00004000, 0.5},      // IQ15
        {20, 0x12348000, -1.0},     // IQ15 ignores the high half
        {21, 0xFFFF0000, -1.0},     // IQ16 is 32-bit
        {36, 0x80000000, -1.0},     // IQ31
        {38, 0x0000FFFF, 32767.5},  // uIQ1
        {52, 0x0000FFFF, 65535.0 / 32768.0},
        {53, 0xFFFF0000, 65535.0},  // uIQ16 is 32-bit
        {68, 0x80000000, 1.0},      // uIQ31: divisor 2^31 as unsigned
        {68, 0xFFFFFFFF, 4294967295.0 / 2147483648.0},
        {69, 0x3F800000, 1.0},
        {69, 0xC0490FDB, static_cast<double>(-3.14159274101257324f)},
        {4, 0x12345678, 0.0},
        {70, 0x12345678, 0.0},
        {255, 0xFFFFFFFF, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ConvertSample(c.code, c.raw), c.expected)
            << "code " << int(c.code) << " raw " << std::hex << c.raw;
    }
}

TEST(SampleType, WordsAndQNumbersFollowTheCodeRanges) {
    for (int code = 0; code < 256; ++code) {
        const auto c = static_cast<uint8_t>(code);
        int words = 0;
        int q = 0;
        if (code <= 1) {
            words = 1;
        } else if (code <= 3 || code == 69) {
            words = 2;
        } else if (code >= 5 && code <= 36) {
            q = code - 5;
            words = q < 16 ? 1 : 2;
        } else if (code >= 37 && code <= 68) {
            q = code - 37;
            words = q < 16 ? 1 : 2;
        }
        EXPECT_EQ(sampleWords(c), words) << code;
        EXPECT_EQ(sampleQNumber(c), q) << code;
    }
}

TEST(SampleType, NamesMapToCodesInTableOrderAndBack) {
    for (int code = 0; code <= 69; ++code) {
        const QString name = sampleTypeName(static_cast<uint8_t>(code));
        ASSERT_FALSE(name.isEmpty()) << code;
        EXPECT_EQ(sampleTypeFromName(name), code) << name.toStdString();
        EXPECT_EQ(sampleTypeFromName(name.toUpper()), code) << name.toStdString();
        EXPECT_EQ(sampleTypeFromName(name.toLower()), code) << name.toStdString();
    }
    EXPECT_EQ(sampleTypeName(4), QStringLiteral("_IQ"));
    EXPECT_EQ(sampleTypeName(5), QStringLiteral("IQ0"));
    EXPECT_EQ(sampleTypeName(68), QStringLiteral("uIQ31"));
    EXPECT_TRUE(sampleTypeName(70).isEmpty());

    for (const char16_t* unknown :
         {u"", u"Int8", u"IQ32", u"IQ05", u"uIQ", u"IQ-1", u"Float", u" Int32", u"Int16x"}) {
        EXPECT_EQ(sampleTypeFromName(QStringView(unknown)), 0)
            << QString::fromUtf16(unknown).toStdString();
    }
}

TEST(SampleType, RegisterFileWords) {
    const std::pair<const char16_t*, int> words[] = {
        {u"INT16", 0},  {u"uint16", 1},   {u"Int32", 2},
        {u"UINT32", 3}, {u"float32", 69}, {u"_iq", 20},
    };
    for (const auto& [word, code] : words) {
        EXPECT_EQ(sampleTypeFromRegisterWord(QStringView(word)), std::optional<uint8_t>(code));
    }
    EXPECT_FALSE(sampleTypeFromRegisterWord(u"IQ15"));
    EXPECT_FALSE(sampleTypeFromRegisterWord(u""));
}

TEST(SampleType, DataTypeDialogChoices) {
    using C = DataTypeChoice;
    const std::pair<DataTypeSelection, int> choices[] = {
        {{C::Int16, 0}, 0},    {{C::Uint16, 0}, 1}, {{C::Int32, 0}, 2}, {{C::Uint32, 0}, 3},
        {{C::Float32, 0}, 69}, {{C::IQ, 0}, 5},     {{C::IQ, 24}, 29},  {{C::IQ, 31}, 36},
        {{C::UIQ, 0}, 37},     {{C::UIQ, 31}, 68},
    };
    for (const auto& [selection, code] : choices) {
        EXPECT_EQ(sampleTypeForSelection(selection), std::optional<uint8_t>(code)) << code;
        EXPECT_EQ(dataTypeSelectionForCode(static_cast<uint8_t>(code)), selection) << code;
    }
    EXPECT_FALSE(sampleTypeForSelection({C::None, 0}));
    EXPECT_FALSE(sampleTypeForSelection({C::IQ, 32}));
    EXPECT_FALSE(sampleTypeForSelection({C::UIQ, -1}));
    EXPECT_EQ(dataTypeSelectionForCode(4).choice, C::None);
    EXPECT_EQ(dataTypeSelectionForCode(70).choice, C::None);
}

}  // namespace
}  // namespace tevra
