#include <gtest/gtest.h>

#include "parameters/ParameterDetails.h"
#include "parameters/ParameterReadEngine.h"
#include "parameters/ParameterValues.h"
#include "parameters/ValueKeyFilter.h"

namespace tevra {
namespace {

TEST(ParameterValues, TypesDecideHowValuesAreReadAndWritten) {
    EXPECT_EQ(ReadValueText(ReadKindOf(0), 0xFFFF), QStringLiteral("-1"));
    EXPECT_EQ(ReadValueText(ReadKindOf(1), 0x1FFFF), QStringLiteral("65535"));
    EXPECT_EQ(ReadValueText(ReadKindOf(2), 0xFFFFFFFE), QStringLiteral("-2"));
    EXPECT_EQ(ReadValueText(ReadKindOf(3), 0xFFFFFFFE), QStringLiteral("4294967294"));
    EXPECT_EQ(ReadKindOf(4), ReadKind::None);
    EXPECT_EQ(ReadKindOf(29), ReadKind::None);

    EXPECT_EQ(WriteWidthOf(QString()), WriteWidth::Word);
    EXPECT_EQ(WriteWidthOf(QStringLiteral(" int16")), WriteWidth::Word);
    EXPECT_EQ(WriteWidthOf(QStringLiteral("UINT16")), WriteWidth::Word);
    EXPECT_EQ(WriteWidthOf(QStringLiteral("Int32")), WriteWidth::DoubleWord);
    EXPECT_EQ(WriteWidthOf(QStringLiteral("uint32")), WriteWidth::DoubleWord);
    EXPECT_EQ(WriteWidthOf(QStringLiteral("IQ24")), WriteWidth::None);
    EXPECT_EQ(WriteWidthOf(QStringLiteral("_IQ")), WriteWidth::None);
}

TEST(ParameterValues, UserValueBoxLengthIsTheLongerBoundText) {
    struct Case {
        QString range;
        bool administrator;
        int length;
    };
    const Case cases[] = {
        {"0-65535", false, 5},
        {"-32768-32767", false, 6},
        {"-100--10", false, 4},
        {"1-2000", true, 0},
    };
    for (const Case& c : cases) {
        ParameterEntry e;
        e.RangeText = c.range;
        EXPECT_EQ(ValueBoxMaxLength(e, c.administrator), c.length) << c.range.toStdString();
    }
}

TEST(ParameterValues, ProgressDotStepRoundsHalvesToEven) {
    EXPECT_EQ(DotStep(3, 8), 0);
    EXPECT_EQ(DotStep(4, 8), 0);   // 0.5 -> 0
    EXPECT_EQ(DotStep(12, 8), 2);  // 1.5 -> 2
    EXPECT_EQ(DotStep(20, 8), 2);  // 2.5 -> 2
    EXPECT_EQ(DotStep(315, 8), 39);
    EXPECT_EQ(DotStep(15, 10), 2);
}

TEST(ParameterValues, ValueBoxesTakeOnlyDigitsMinusBackspaceAndEnter) {
    for (QChar c : QStringLiteral("0123456789-\b\r")) {
        EXPECT_TRUE(ValueKeyAccepted(c)) << int(c.unicode());
    }
    for (QChar c : QStringLiteral("+ .aZ,\x16\x03")) {
        EXPECT_FALSE(ValueKeyAccepted(c)) << int(c.unicode());
    }
}

TEST(ParameterValues, DetailsCarryTheItemsInTheirStyles) {
    ParameterEntry e;
    e.Name = QStringLiteral("  Speed gain ");
    e.RangeText = QStringLiteral("1-2000");
    e.UnitText = QStringLiteral("Hz");
    e.DefaultText = QStringLiteral("40");
    e.EffectMode = QStringLiteral("2");
    e.RelationText = QStringLiteral("P002");
    e.Description = QStringLiteral(" Gain of the speed loop. ");
    const QVector<DetailParagraph> p = ParameterDetailParagraphs(e);
    ASSERT_EQ(p.size(), 9);
    EXPECT_EQ(p[0].runs[0].text, QStringLiteral(u"    参数名： "));
    EXPECT_EQ(p[0].runs[1].text, QStringLiteral("Speed gain"));
    EXPECT_EQ(p[0].runs[1].style, QStringLiteral("Name"));
    EXPECT_EQ(p[4].runs[1].text, QStringLiteral(u"伺服ON生效"));
    EXPECT_EQ(p[4].runs[1].style, QStringLiteral("Effictive rule"));
    EXPECT_TRUE(p[6].horizontalBreak);
    EXPECT_EQ(p[7].runs[0].text, QStringLiteral(u"参数说明："));
    EXPECT_EQ(p[8].runs[0].text, QStringLiteral("Gain of the speed loop."));
    EXPECT_EQ(p[8].runs[0].style, QStringLiteral("Hint"));
    EXPECT_TRUE(ParameterDetailStyle(QStringLiteral("Hint")).bold);
    EXPECT_EQ(ParameterDetailStyle(QStringLiteral("Hint")).colour, StyleColour::Teal);
    e.EffectMode = QStringLiteral("7");
    EXPECT_EQ(ParameterDetailParagraphs(e)[4].runs[1].text, QString());
}

}  // namespace
}  // namespace tevra
