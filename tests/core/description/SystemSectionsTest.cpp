#include <gtest/gtest.h>

#include <QDir>

#include "TestSupport.h"
#include "description/DescriptionReaders.h"
#include "description/ProtectedTextFile.h"
#include "text/Gbk.h"

namespace tevra {
namespace {

QStringList lines(std::initializer_list<const char*> l) {
    QStringList out;
    for (const char* s : l) {
        out.append(QString::fromUtf8(s));
    }
    return out;
}

TEST(SignalSections, OneRecordPerSectionIncludingEmptyOnes) {
    const QStringList text = lines({
        "[Wave1]",
        "Name=  Speed",
        "Reg=SpdFbk",
        ";Name=commented out",
        "Unit=rpm",
        "Hint=Motor speed",
        "Coefficient=10",
        "Other=ignored",
        "[Wave2]",
        ";[Wave3] is a comment, not a header",
        "[WaveRegDefing]",
        "1=0100:A*b*c*d*1",
        "[UserMonitor1]",
        "name=Bus voltage",
        "REG=Udc",
        "Coefficient=-2",
        "x[UserMonitorExtra",
        "Unit=V",
    });
    auto waves = ReadWaveSections(text);
    ASSERT_TRUE(waves) << waves.error().toString().toStdString();
    ASSERT_EQ(waves->size(), 3);
    const WaveSourceEntry& w = (*waves)[0];
    EXPECT_EQ(w.Name, QStringLiteral("Speed"));
    EXPECT_EQ(w.RegisterName, QStringLiteral("SpdFbk"));
    EXPECT_EQ(w.Unit, QStringLiteral("rpm"));
    EXPECT_EQ(w.Hint, QStringLiteral("Motor speed"));
    EXPECT_EQ(w.Coefficient, 10);
    EXPECT_TRUE((*waves)[1].Name.isEmpty());  // [Wave2] is empty
    EXPECT_TRUE((*waves)[2].Name.isEmpty());  // [WaveRegDefing] counts as a wave section

    auto monitors = ReadUserMonitorSections(text);
    ASSERT_TRUE(monitors);
    ASSERT_EQ(monitors->size(), 2);
    EXPECT_EQ((*monitors)[0].Name, QStringLiteral("Bus voltage"));
    EXPECT_EQ((*monitors)[0].RegisterName, QStringLiteral("Udc"));
    EXPECT_EQ((*monitors)[0].Coefficient, -2);
    // A pattern header need not begin with "[" and does not end the section before it.
    EXPECT_EQ((*monitors)[0].Unit, QStringLiteral("V"));
    EXPECT_EQ((*monitors)[1].Unit, QStringLiteral("V"));

    auto bad = ReadWaveSections(lines({"[Wave1]", "Name=x", "Coefficient=ten"}));
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().field, QStringLiteral("Coefficient"));
    EXPECT_EQ(bad.error().lineNumber, 3);
}

TEST(SignalSections, ScanLimitIsOneHundredLines) {
    QStringList text{QStringLiteral("[Wave1]")};
    for (int i = 0; i < 99; ++i) {
        text.append(QStringLiteral("filler"));
    }
    text.append(QStringLiteral("Name=last read"));
    text.append(QStringLiteral("Unit=beyond the limit"));
    auto waves = ReadWaveSections(text);
    ASSERT_TRUE(waves);
    EXPECT_EQ((*waves)[0].Name, QStringLiteral("last read"));
    EXPECT_TRUE((*waves)[0].Unit.isEmpty());
}

TEST(ZeroSections, ReadsCalibrationEntries) {
    auto r = ReadZeroSections(lines({
        "[CurrentZero]",
        "Name=Phase U",
        "Para=Pr1A",
        "Reg=IuOffset",
        "Hint=Zero drift of the U phase current",
        "Permission=2",
        "[VoltageZero]",
        "; Para=nothing",
        "[Other]",
    }));
    ASSERT_TRUE(r) << r.error().toString().toStdString();
    ASSERT_EQ(r->size(), 2);
    EXPECT_EQ((*r)[0].Name, QStringLiteral("Phase U"));
    EXPECT_EQ((*r)[0].ParaNumber, 0x1A);
    EXPECT_EQ((*r)[0].RegisterName, QStringLiteral("IuOffset"));
    EXPECT_EQ((*r)[0].Hint, QStringLiteral("Zero drift of the U phase current"));
    EXPECT_EQ((*r)[0].Permission, QStringLiteral("2"));
    EXPECT_EQ((*r)[1].ParaNumber, 0);

    for (const char* para : {"Para=PrXY", "Para=1A"}) {
        auto bad = ReadZeroSections(lines({"[CurrentZero]", para}));
        ASSERT_FALSE(bad) << para;
        EXPECT_EQ(bad.error().field, QStringLiteral("ParaNumber"));
    }
}

TEST(IplcSection, ReadsStarSeparatedFields) {
    auto r = ReadIplcSection(lines({
        "[LpcmPara]",
        "; a comment",
        "no equals sign",
        "1=Speed *100* -10 * 3000 * rpm * 0200 * Segment speed * Uint16 * 0 * 3",
        "2=Pos***0*0*1*-*0201*d*Int32*1*4",
    }));
    ASSERT_TRUE(r) << r.error().toString().toStdString();
    ASSERT_EQ(r->size(), 2);
    const IplcParameterEntry& e = (*r)[0];
    EXPECT_EQ(e.Name, QStringLiteral("Speed "));  // name and default stay untrimmed
    EXPECT_EQ(e.DefaultText, QStringLiteral("100"));
    EXPECT_EQ(e.RangeText, QStringLiteral("-10~3000"));
    EXPECT_EQ(e.LowerBound, -10);
    EXPECT_EQ(e.UpperBound, 3000);
    EXPECT_EQ(e.UnitText, QStringLiteral("rpm"));
    EXPECT_EQ(e.Address, 0x200);
    EXPECT_EQ(e.Description, QStringLiteral("Segment speed"));
    EXPECT_EQ(e.TypeName, QStringLiteral("Uint16"));
    EXPECT_EQ(e.TypeCode, 1);
    EXPECT_EQ(e.EffectMode, QStringLiteral("0"));
    EXPECT_EQ(e.Index, 3);
    EXPECT_TRUE(e.BracketText.isEmpty());
    // "***" counts as one separator.
    EXPECT_EQ((*r)[1].Name, QStringLiteral("Pos"));
    EXPECT_EQ((*r)[1].DefaultText, QStringLiteral("0"));
    EXPECT_EQ((*r)[1].Index, 4);

    const std::pair<const char*, const char*> bad[] = {
        {"1=A*0*low*1*-*0200*d*Int16*0*1", "LowerBound"},
        {"1=A*0*0*99999999999*-*0200*d*Int16*0*1", "UpperBound"},
        {"1=A*0*0*1*-*02G0*d*Int16*0*1", "Address"},
        {"1=A*0*0*1*-*0200*d*Int16*0*", "Index"},
        {"1=A*0*0*1", "UpperBound"},
    };
    for (const auto& [line, field] : bad) {
        auto e = ReadIplcSection(lines({"[LpcmPara]", line}));
        ASSERT_FALSE(e) << line;
        EXPECT_EQ(e.error().field, QString::fromUtf8(field)) << line;
    }
}

TEST(IoSection, ParameterNumbersAndRegisterLookup) {
    const RegisterList registers{{0x10, QStringLiteral("DinState"), 1},
                                 {0x20, QStringLiteral("DoutState"), 1},
                                 {0x30, QStringLiteral("dinstate"), 1}};
    auto r = ReadIoSection(lines({
                               "[IODat]",
                               "X0_4=Pr30",
                               "X5_9=pr31",
                               "X10_14=Pr 32",
                               "Y0_4=Pr40",
                               "Y5_9=Pr41",
                               "XReg=DinState",
                               "YReg=DoutState",
                           }),
                           registers);
    ASSERT_TRUE(r) << r.error().toString().toStdString();
    EXPECT_EQ(r->X0_4, 0x30);
    EXPECT_EQ(r->X5_9, 0x31);
    EXPECT_EQ(r->X10_14, 0x32);
    EXPECT_EQ(r->Y0_4, 0x40);
    EXPECT_EQ(r->Y5_9, 0x41);
    EXPECT_EQ(r->XRegNumber, 0x10);  // names compare with case
    EXPECT_EQ(r->YRegNumber, 0x20);

    auto unknown = ReadIoSection(lines({"[IODat]", "XReg=Missing", "YReg=DoutState"}), registers);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->XRegNumber, 0xFFFF);
    EXPECT_EQ(unknown->YRegNumber, 0x20);

    auto bad = ReadIoSection(lines({"[IODat]", "Y5_9=Pr4G"}), registers);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().field, QStringLiteral("Y5_9"));
}

TEST(SysRegSection, FirstOutStusLineNamesTheRegister) {
    const RegisterList registers{{0x10, QStringLiteral("DoutState"), 1},
                                 {0x20, QStringLiteral("DoutState"), 2}};
    auto found = ReadSysRegSection(
        lines({"[SysReg]", "outstus=Ignored", "OutStus= DoutState", "OutStus=Second"}), registers);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Name, QStringLiteral("DoutState"));
    EXPECT_EQ(found->Number, 0x10);
    EXPECT_EQ(found->TypeCode, 1);

    auto nameOnly = ReadSysRegSection(lines({"[SysReg]", "OutStus=Unknown"}), registers);
    ASSERT_TRUE(nameOnly);
    EXPECT_EQ(nameOnly->Name, QStringLiteral("Unknown"));
    EXPECT_EQ(nameOnly->Number, 0);
}

TEST(NoImportSection, PrLinesGiveParameterNumbers) {
    auto r = ReadNoImportSection(lines({"[ProhibitedImportParameter]", "Pr10", " Pr1A ",
                                        "pr99 has no capital P and is skipped", "nothing"}));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Numbers, (QVector<uint16_t>{0x10, 0x1A}));
    EXPECT_EQ(r->Count, 2);

    auto bad = ReadNoImportSection(lines({"[ProhibitedImportParameter]", "Pr10", "Pr 1 2"}));
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().lineNumber, 3);
}

// Each reader must come back, with records or an error, from input that is not a
// description at all.
TEST(SectionReaders, GarbageAndHugeLinesNeverCrash) {
    const QString huge(1 << 20, QLatin1Char('*'));
    QString binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(QChar(static_cast<char16_t>((i * 7919) % 0xD800)));
    }
    const QStringList headers{"[Parameter]",
                              "[Register]",
                              "[WaveRegDefing]",
                              "[ErrStuDefine]",
                              "[LpcmPara]",
                              "[Wave1]",
                              "[UserMonitor1]",
                              "[AZero]",
                              "[IODat]",
                              "[SysReg]",
                              "[ProhibitedImportParameter]"};
    const QStringList bodies{huge,
                             QStringLiteral("=") + huge,
                             QStringLiteral("Pr") + huge,
                             QStringLiteral("Name=") + huge,
                             binary,
                             QString(2000, u'[')};
    const RegisterList registers{{1, QStringLiteral("R"), 0}};
    for (const QString& header : headers) {
        for (const QString& body : bodies) {
            const QStringList text{header, body, QStringLiteral("OutStus=") + body};
            (void)ReadParameterSection(text);
            (void)ReadRegisterSection(text);
            (void)ReadWaveRegDefSection(text);
            (void)ReadAlarmSection(text);
            (void)ReadIplcSection(text);
            (void)ReadWaveSections(text);
            (void)ReadUserMonitorSections(text);
            (void)ReadZeroSections(text);
            (void)ReadIoSection(text, registers);
            auto sys = ReadSysRegSection(text, registers);
            ASSERT_TRUE(sys);
            EXPECT_LE(sys->Name.size(), 50);
            (void)ReadNoImportSection(text);
        }
    }
}

TEST(SectionReaders, FileReadersDecodeTheSystemDescriptionEachTime) {
    test::ScratchDir program;
    test::ScratchDir temp;
    const ProgramFolders folders(program.path(), temp.path());

    auto missing = ReadZeroSections(folders, protected_file::kSystemDescription);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, DescriptionErrorKind::FileMissing);
    EXPECT_EQ(missing.error().file, protected_file::kSystemDescription);

    QDir(program.path()).mkpath(QStringLiteral("System"));
    ASSERT_TRUE(SaveProtectedFile(folders, protected_file::kSystemDescription,
                                  QStringLiteral("[IODat]\r\nX0_4=Pr1\r\n[CurrentZero]\r\n"
                                                 "Name=零点\r\nPara=Pr7\r\n")));
    auto zero = ReadZeroSections(folders, protected_file::kSystemDescription);
    ASSERT_TRUE(zero);
    ASSERT_EQ(zero->size(), 1);
    EXPECT_EQ((*zero)[0].Name, QStringLiteral("零点"));
    EXPECT_EQ((*zero)[0].ParaNumber, 7);

    // A saved description is seen by the next reader run.
    ASSERT_TRUE(SaveProtectedFile(folders, protected_file::kSystemDescription,
                                  QStringLiteral("[IODat]\r\nX0_4=PrZZ\r\n")));
    auto io = ReadIoSection(folders, protected_file::kSystemDescription, {});
    ASSERT_FALSE(io);
    EXPECT_TRUE(io.error().toString().startsWith(protected_file::kSystemDescription));
    EXPECT_EQ(io.error().lineNumber, 2);

    program.write(QStringLiteral("System/SysConfig.ddt"), "not hex at all\r\n");
    auto corrupt = ReadNoImportSection(folders, protected_file::kSystemDescription);
    ASSERT_FALSE(corrupt);
    EXPECT_EQ(corrupt.error().kind, DescriptionErrorKind::NotHex);
}

}  // namespace
}  // namespace tevra
