#include <gtest/gtest.h>

#include "debug/DataTypeSelection.h"
#include "debug/RegisterDirectory.h"
#include "ini/IniFile.h"
#include "scope/WaveSources.h"

using namespace tevra;
using Outcome = DataTypeDialogState::Outcome;

namespace {

struct Catalog {
    RegisterDirectory registers{RegisterList{
        {0x6F10, QStringLiteral("iSpdFdb"), sample_type::kInt16},
        {0x6F12, QStringLiteral("lPosErr"), sample_type::kInt32},
        {0x6F14, QStringLiteral("fBusVolt"), sample_type::kFloat32},
        {0x6F16, QStringLiteral("qCurrU"), sample_type::kUnusedIq},
        {0x6F18, QStringLiteral("wStatus"), sample_type::kUint16},
    }};
    WaveSourceList entries{
        {QStringLiteral("iSpdFdb"), QStringLiteral("速度反馈"), QStringLiteral("rpm"), {}, 1},
        {QStringLiteral("QCURRU"), QStringLiteral("U相电流"), QStringLiteral("A"), {}, 1},
        {QStringLiteral("missing"), QStringLiteral("未定义"), QStringLiteral("-"), {}, 1},
    };
    WaveSourceCatalog admin{true, &entries, &registers};
    WaveSourceCatalog user{false, &entries, &registers};
};

}  // namespace

TEST(DataTypeSelection, DeclaredTypeForBothLevels) {
    Catalog c;
    EXPECT_EQ(declaredSourceType(u"lPosErr", c.admin), QStringLiteral("INT32"));
    EXPECT_EQ(declaredSourceType(u" fBusVolt ", c.admin), QStringLiteral("FLOAT32"));
    EXPECT_EQ(declaredSourceType(u"LPOSERR", c.admin), QString());  // exact name only
    // A user's source is a wave entry: its register name leads to the register.
    EXPECT_EQ(declaredSourceType(u"速度反馈", c.user), QStringLiteral("INT16"));
    EXPECT_EQ(declaredSourceType(u"u相电流", c.user), QStringLiteral("_IQ"));
    EXPECT_EQ(declaredSourceType(u"未定义", c.user), QString());
    EXPECT_EQ(declaredSourceType(u"lPosErr", c.user), QString());

    EXPECT_EQ(automaticSampleType(u"_IQ"), std::optional<uint8_t>(20));
    EXPECT_EQ(automaticSampleType(u"FLOAT32"), std::optional<uint8_t>(69));
    EXPECT_EQ(automaticSampleType(u"IQ24"), std::nullopt);
}

TEST(DataTypeSelection, ShowsTheCurrentCodeAndConfirmsTheChoice) {
    struct Case {
        uint8_t current;
        DataTypeChoice shown;
        int iq, uiq;
    };
    const Case shown[] = {
        {0, DataTypeChoice::Int16, -1, -1},    {3, DataTypeChoice::Uint32, -1, -1},
        {4, DataTypeChoice::None, -1, -1},     {29, DataTypeChoice::IQ, 24, -1},
        {37, DataTypeChoice::UIQ, -1, 0},      {68, DataTypeChoice::UIQ, -1, 31},
        {69, DataTypeChoice::Float32, -1, -1}, {200, DataTypeChoice::None, -1, -1},
    };
    for (const Case& c : shown) {
        DataTypeDialogState s(1, c.current, "x");
        EXPECT_EQ(s.choice(), c.shown) << int(c.current);
        EXPECT_EQ(s.iqNumber(), c.iq) << int(c.current);
        EXPECT_EQ(s.uiqNumber(), c.uiq) << int(c.current);
        EXPECT_EQ(s.groupTitle(), QStringLiteral("CH2"));
    }

    DataTypeDialogState s(0, 0, "lPosErr");
    s.setChoice(DataTypeChoice::IQ);
    EXPECT_TRUE(s.iqComboEnabled());
    EXPECT_FALSE(s.uiqComboEnabled());
    EXPECT_EQ(s.confirm("INT32"), Outcome::QFormatMissing);
    EXPECT_EQ(s.refusalText(Outcome::QFormatMissing, ""), QStringLiteral("请选择Q格式类型！"));
    EXPECT_EQ(s.code(), 0);
    s.setIqNumber(24);
    EXPECT_EQ(s.confirm("INT32"), Outcome::Accepted);
    EXPECT_EQ(s.code(), 29);
    s.setChoice(DataTypeChoice::UIQ);
    s.setUiqNumber(0);
    EXPECT_EQ(s.confirm("INT32"), Outcome::Accepted);
    EXPECT_EQ(s.code(), 37);
    s.setChoice(DataTypeChoice::Float32);
    EXPECT_EQ(s.confirm("Uint16"), Outcome::LengthMismatch);
    EXPECT_EQ(s.refusalText(Outcome::LengthMismatch, "Uint16"),
              QStringLiteral("原始数据类型为UINT16，数据长度不对，请重新设置。"));
    EXPECT_EQ(s.code(), 37);
    EXPECT_EQ(s.confirm("INT32"), Outcome::Accepted);
    EXPECT_EQ(s.code(), 69);
    EXPECT_EQ(s.confirm(""), Outcome::Accepted);  // undeclared sources are not refused
    s.setChoice(DataTypeChoice::None);
    EXPECT_EQ(s.confirm(""), Outcome::NothingChecked);
}

TEST(DataTypeSelection, RestoreDefaultChecksTheDeclaredType) {
    DataTypeDialogState s(0, 37, "x");
    s.setIqNumber(7);
    EXPECT_TRUE(s.restoreDefault("_IQ"));
    EXPECT_EQ(s.choice(), DataTypeChoice::IQ);
    EXPECT_EQ(s.iqNumber(), 7);  // the Q combo stays as it was
    EXPECT_TRUE(s.restoreDefault("Float32"));
    EXPECT_EQ(s.choice(), DataTypeChoice::Float32);
    EXPECT_FALSE(s.restoreDefault("IQ24"));
    EXPECT_FALSE(s.restoreDefault(""));
    EXPECT_EQ(s.choice(), DataTypeChoice::Float32);
}

TEST(DataTypeSelection, ManualModeIsTheDefault) {
    EXPECT_TRUE(dataTypesSetByHand(IniFile()));
    EXPECT_FALSE(dataTypesSetByHand(IniFile::fromBytes("[frmOptions]\r\nDataAdaptMode=0\r\n")));
    EXPECT_TRUE(dataTypesSetByHand(IniFile::fromBytes("[FRMOPTIONS]\r\nDataAdaptMode=1\r\n")));
}
