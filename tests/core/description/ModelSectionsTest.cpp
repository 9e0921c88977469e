#include <gtest/gtest.h>

#include <limits>

#include "description/AlarmSection.h"
#include "description/ParameterSection.h"
#include "description/RegisterSection.h"
#include "description/WaveRegDefSection.h"

namespace tevra {
namespace {

constexpr int64_t kNotANumber = std::numeric_limits<int64_t>::max();

QStringList lines(std::initializer_list<const char*> l) {
    QStringList out;
    for (const char* s : l) {
        out.append(QString::fromUtf8(s));
    }
    return out;
}

TEST(ParameterSection, ReadsEveryFieldOfTheLineShape) {
    auto r = ReadParameterSection(lines({
        "[Parameter]",
        "TalNum=3",
        "  P100 = Speed gain.40.1.2000.Hz.P002..100 (R),1*2{Speed loop gain}(*Uint16*)  ",
        "",
        "P101=转矩.0.-300.300.%.P003..101 (T),2*0(*Int32*)",
        "P102=Mode.0.0.5.-.-..2 (M),1*1{Mode select}",
        "P103=X.0.0.1.-.-..3 (X),1*0{a (*IQ15*) b}(*Uint32*)",
        "P104=Y.0.0.1.-.-..4 (Y),1*0{y}(* float32 *)",
    }));
    ASSERT_TRUE(r) << r.error().toString().toStdString();
    ASSERT_EQ(r->entries.size(), 5);
    EXPECT_TRUE(r->warnings.isEmpty());

    const ParameterEntry& p = r->entries[0];
    EXPECT_EQ(p.PrNumber, 0x100);
    EXPECT_EQ(p.Name, QStringLiteral("Speed gain"));
    EXPECT_EQ(p.DefaultText, QStringLiteral("40"));
    EXPECT_EQ(p.RangeText, QStringLiteral("1-2000"));
    EXPECT_EQ(p.LowerBound, 1);
    EXPECT_EQ(p.UpperBound, 2000);
    EXPECT_EQ(p.UnitText, QStringLiteral("Hz"));
    EXPECT_EQ(p.RelationText, QStringLiteral("P002"));
    EXPECT_EQ(p.BracketText, QStringLiteral("R"));
    EXPECT_EQ(p.AccessLevel, QStringLiteral("1"));
    EXPECT_EQ(p.EffectMode, QStringLiteral("2"));
    EXPECT_EQ(p.Description, QStringLiteral("Speed loop gain"));
    EXPECT_EQ(p.TypeName, QStringLiteral("Uint16"));
    EXPECT_EQ(p.TypeCode, 1);

    // No description: the name stands in for it.
    EXPECT_EQ(r->entries[1].Name, QStringLiteral("转矩"));
    EXPECT_EQ(r->entries[1].Description, QStringLiteral("转矩"));
    EXPECT_EQ(r->entries[1].LowerBound, -300);
    EXPECT_EQ(r->entries[1].TypeCode, 2);
    // No type: empty name, code 0.
    EXPECT_TRUE(r->entries[2].TypeName.isEmpty());
    EXPECT_EQ(r->entries[2].TypeCode, 0);
    // A "(*" inside the description supplies the type.
    EXPECT_EQ(r->entries[3].Description, QStringLiteral("a (*IQ15*) b"));
    EXPECT_EQ(r->entries[3].TypeName, QStringLiteral("IQ15"));
    EXPECT_EQ(r->entries[3].TypeCode, 20);
    // The type name is kept as written and matched trimmed, without regard to case.
    EXPECT_EQ(r->entries[4].TypeName, QStringLiteral(" float32 "));
    EXPECT_EQ(r->entries[4].TypeCode, 69);
}

TEST(ParameterSection, FaultyBoundsWarnAndStillList) {
    auto r = ReadParameterSection(lines({
        "[Parameter]",
        "P1=A.0.abc.10.-.-..1F (A),1*0{a}",
        "P2=B.0.0.99999999999999999999.-.-..5 (B),1*0{b}",
        "P3=C.0.0.10.-.-..6 (C),1*0{c}",
    }));
    ASSERT_TRUE(r);
    ASSERT_EQ(r->entries.size(), 3);
    EXPECT_EQ(r->entries[0].LowerBound, kNotANumber);
    EXPECT_EQ(r->entries[0].UpperBound, 10);
    EXPECT_EQ(r->entries[0].RangeText, QStringLiteral("abc-10"));
    EXPECT_EQ(r->entries[1].UpperBound, kNotANumber);
    ASSERT_EQ(r->warnings.size(), 2);
    EXPECT_EQ(r->warnings[0].PrNumber, 0x1F);
    EXPECT_EQ(r->warnings[0].lineNumber, 2);
    EXPECT_EQ(r->warnings[0].message, QStringLiteral("解析参数文件错误，参数号：1F！"));
    EXPECT_EQ(r->warnings[1].message, QStringLiteral("解析参数文件错误，参数号：05！"));
}

TEST(ParameterSection, FieldsAreCutToTheirCapacity) {
    const QString longName(150, QLatin1Char('n'));
    const QString longDefault(30, QLatin1Char('1'));
    const QString longType(30, QLatin1Char('t'));
    QStringList text{QStringLiteral("[Parameter]"),
                     QStringLiteral("P=%1.%2.1.2.unitunitunit.relationrelation..7 "
                                    "(bracketbracket),1*0(*%3*)")
                         .arg(longName, longDefault, longType)};
    auto r = ReadParameterSection(text);
    ASSERT_TRUE(r);
    const ParameterEntry& p = r->entries[0];
    EXPECT_EQ(p.Name.size(), 100);
    EXPECT_EQ(p.Description.size(), 100);  // a copy of the cut name
    EXPECT_EQ(p.DefaultText.size(), 20);
    EXPECT_EQ(p.UnitText.size(), 10);
    EXPECT_EQ(p.RelationText.size(), 10);
    EXPECT_EQ(p.BracketText.size(), 10);
    EXPECT_EQ(p.TypeName.size(), 20);
}

TEST(ParameterSection, SectionsAppendAndStopAtTheNextHeader) {
    auto r = ReadParameterSection(lines({
        "[parameter]",
        "P1=A.0.0.1.-.-..1 (A),1*0",
        "[Register]",
        "R0=0100%Speed%Int16%",
        "[Parameter]",
        "P2=B.0.0.1.-.-..2 (B),1*0",
    }));
    ASSERT_TRUE(r);
    ASSERT_EQ(r->entries.size(), 2);
    EXPECT_EQ(r->entries[0].PrNumber, 1);
    EXPECT_EQ(r->entries[1].PrNumber, 2);
}

TEST(ParameterSection, ScanLimitIsTenThousandLines) {
    QStringList text{QStringLiteral("[Parameter]")};
    for (int i = 0; i < 10001; ++i) {
        text.append(QStringLiteral("P=A.0.0.1.-.-..%1 (A),1*0").arg(i % 0x10000, 0, 16));
    }
    auto r = ReadParameterSection(text);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->entries.size(), 10000);
}

struct BadLine {
    const char* name;
    QStringList text;
    int line;
    const char* field;
};

// Malformed numbers in fields without a default fail the reader with the line and field.
TEST(ModelSections, MalformedNumbersNameTheLineAndField) {
    const QString huge = QStringLiteral("P=") + QString(1 << 20, QLatin1Char('a'));
    const BadLine cases[] = {
        {"pr not hex", lines({"[Parameter]", "P=A.0.0.1.-.-..XYZ (A),1*0"}), 2, "PrNumber"},
        {"pr too wide", lines({"[Parameter]", "P=A.0.0.1.-.-..10000 (A),1*0"}), 2, "PrNumber"},
        {"pr missing blank", lines({"[Parameter]", "", "P=A.0.0.1.-.-..12"}), 3, "PrNumber"},
        {"section cut short", lines({"[Parameter]", "P=Speed gain.40.1"}), 2, "PrNumber"},
        {"megabyte line", QStringList{QStringLiteral("[Parameter]"), huge}, 2, "PrNumber"},
    };
    for (const auto& c : cases) {
        auto r = ReadParameterSection(c.text, QStringLiteral("\\Source\\M1.ddt"));
        ASSERT_FALSE(r) << c.name;
        const DescriptionError& e = r.error();
        EXPECT_EQ(e.kind, DescriptionErrorKind::BadNumber) << c.name;
        EXPECT_EQ(e.lineNumber, c.line) << c.name;
        EXPECT_EQ(e.field, QString::fromUtf8(c.field)) << c.name;
        EXPECT_EQ(e.section, QStringLiteral("[Parameter]")) << c.name;
        const QString shown = e.toString();
        EXPECT_TRUE(shown.contains(QStringLiteral("\\Source\\M1.ddt"))) << c.name;
        EXPECT_LT(shown.size(), 400) << c.name;
    }
}

TEST(RegisterSection, ReadsNumberNameAndType) {
    auto r = ReadRegisterSection(lines({
        "[Register]",
        "R0=0100%Speed feedback%Int32%",
        "R1 = 01A2   Gain[4]  % uiq3 %",
        "no percent sign here",
        "R2=0003%Flags",
        "R3=0004%Status%",
    }));
    ASSERT_TRUE(r) << r.error().toString().toStdString();
    ASSERT_EQ(r->size(), 4);
    EXPECT_EQ((*r)[0].Number, 0x100);
    EXPECT_EQ((*r)[0].Name, QStringLiteral("Speed feedback"));
    EXPECT_EQ((*r)[0].TypeCode, 2);
    EXPECT_EQ((*r)[1].Number, 0x1A2);
    EXPECT_EQ((*r)[1].Name, QStringLiteral("Gain[4]"));
    EXPECT_EQ((*r)[1].TypeCode, 40);
    // Without a closing "%" there is neither name nor type.
    EXPECT_TRUE((*r)[2].Name.isEmpty());
    EXPECT_EQ((*r)[3].Name, QStringLiteral("Status"));
    EXPECT_EQ((*r)[3].TypeCode, 0);

    auto bad = ReadRegisterSection(lines({"[Register]", "R0=0x10%Speed%Int16%"}));
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().field, QStringLiteral("Number"));
    EXPECT_EQ(bad.error().lineNumber, 2);
}

TEST(WaveRegDefSection, ReadsMonitorEntriesWithDefaultCoefficient) {
    auto r = ReadWaveRegDefSection(lines({
        "[WaveRegDefing]",
        "1 = 0100 : Speed * rpm * Motor speed * SPEED1 * 10",
        "2=0102:Torque*%*Torque*TQ*x",
        "ignored without colon",
        "3=0104:Bare",
    }));
    ASSERT_TRUE(r) << r.error().toString().toStdString();
    ASSERT_EQ(r->size(), 3);
    const MonitorEntry& m = (*r)[0];
    EXPECT_EQ(m.Number, 0x100);
    EXPECT_EQ(m.Name, QStringLiteral("Speed"));
    EXPECT_EQ(m.Unit, QStringLiteral("rpm"));
    EXPECT_EQ(m.Hint, QStringLiteral("Motor speed"));
    EXPECT_EQ(m.Tag, QStringLiteral("SPEED"));  // 5 characters
    EXPECT_EQ(m.Coefficient, 10);
    EXPECT_TRUE(m.RegisterName.isEmpty());
    EXPECT_EQ((*r)[1].Coefficient, 1);
    EXPECT_EQ((*r)[2].Coefficient, 1);
    EXPECT_TRUE((*r)[2].Name.isEmpty());

    auto bad = ReadWaveRegDefSection(lines({"[WaveRegDefing]", "1=01G0:Speed*rpm*h*t*1"}));
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().field, QStringLiteral("Number"));
}

TEST(AlarmSection, StatusRegistersAndAlarms) {
    auto r = ReadAlarmSection(lines({
        "[ErrStuDefine]",
        "ErrStuReg1=0A10",
        "errstureg2= 0A12",
        "1=Overcurrent{Output current too high}",
        "2 = NC {unused}",
        "3=nc{unused}",
        "4=No brace",
        "comment without anything",
        "65535= Last {  Highest code  }",
        "6=Open{never closed",
    }));
    ASSERT_TRUE(r) << r.error().toString().toStdString();
    EXPECT_EQ(r->statusRegisters.ErrStuReg1, 0x0A10);
    EXPECT_EQ(r->statusRegisters.ErrStuReg2, 0xFFFF);  // a blank makes it unreadable
    EXPECT_EQ(r->statusRegisters.ErrStuReg3, 0xFFFF);  // absent
    ASSERT_EQ(r->alarms.size(), 3);
    EXPECT_EQ(r->alarms[0].Code, 1);
    EXPECT_EQ(r->alarms[0].Name, QStringLiteral("Overcurrent"));
    EXPECT_EQ(r->alarms[0].Description, QStringLiteral("Output current too high"));
    EXPECT_EQ(r->alarms[1].Code, 65535);
    EXPECT_EQ(r->alarms[1].Description, QStringLiteral("Highest code"));
    EXPECT_EQ(r->alarms[2].Name, QStringLiteral("Open"));
    EXPECT_TRUE(r->alarms[2].Description.isEmpty());

    for (const char* bad : {"x=Overcurrent{}", "65536=Overflow{}", "=Nameless code{}"}) {
        auto e = ReadAlarmSection(lines({"[ErrStuDefine]", bad}));
        ASSERT_FALSE(e) << bad;
        EXPECT_EQ(e.error().field, QStringLiteral("Code")) << bad;
    }
}

}  // namespace
}  // namespace tevra
