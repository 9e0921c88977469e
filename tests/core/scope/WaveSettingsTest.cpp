#include <gtest/gtest.h>

#include "ini/IniFile.h"
#include "scope/WaveModel.h"
#include "scope/WaveSettings.h"

namespace tevra {
namespace {

// The range and length tables the program ships in Config.ini, cut down.
const char kTables[] =
    "[VoltageLelve]\r\nLength=3\r\n0=10mV\r\n1= 100mV \r\n2=1V\r\n3=5V\r\n"
    "[VGridLelve]\r\n10mV=0.01\r\n100mV=0.1\r\n1V=1\r\n5V=abc\r\n"
    "[FrequencyLelve]\r\nLength=2\r\n0=0.8ms\r\n1=1.6ms\r\n2=3.2ms\r\n"
    "[FGridLelve]\r\n0=1\r\n1=2\r\n2=4\r\n5=0\r\n6=500\r\n";

IniFile configWith(const std::string& systemset) {
    return IniFile::fromBytes(QByteArray(kTables) + QByteArray::fromStdString(systemset));
}

TEST(WaveSettingsTest, DefaultsWhenKeysAreMissing) {
    WaveModel model;
    model.SourceItems = {QStringLiteral("a"), QStringLiteral("b")};
    LoadWaveSettings(model, IniFile::fromBytes(QByteArray()));

    EXPECT_EQ(model.RangeItems.size(), 2);  // Length 1: keys 0 and 1
    const int zero[4] = {151, 211, 211, 211};
    const int32_t colors[4] = {0xFF0000, 128, 0, 0};
    for (int ch = 0; ch < 4; ++ch) {
        const WaveChannel& c = model.Channels[ch];
        EXPECT_EQ(c.ZeroLine, zero[ch]);
        EXPECT_EQ(c.ZeroLineBackup, zero[ch]);
        EXPECT_TRUE(c.isOn());
        EXPECT_EQ(c.RangeIndex, 1);
        EXPECT_EQ(c.ValuePerDivision, 3.0);
        EXPECT_EQ(c.Color, colors[ch]);
        EXPECT_EQ(model.Compare[ch].Color, colors[ch]);
        EXPECT_EQ(model.Compare[ch].ZeroLineBackup, 32768);
        EXPECT_FALSE(model.Compare[ch].isOn());
        EXPECT_EQ(model.Integral[ch].ZeroLineBackup, 211);
        EXPECT_EQ(model.Derivative[ch].ZeroLineBackup, 211);
        EXPECT_EQ(c.BitNumber, 0);
    }
    EXPECT_EQ(model.BoardColor, kColorBtnFace);
    EXPECT_EQ(model.mx1, 350);
    EXPECT_EQ(model.mx2, 550);
    EXPECT_EQ(model.my1, 350);
    EXPECT_EQ(model.my2, 450);
    EXPECT_EQ(model.MouseAxistX, 500);
    EXPECT_EQ(model.MouseAxistY, 500);
    EXPECT_EQ(model.LengthIndex, 1);
    EXPECT_EQ(model.ScreenCount, 1);
    ASSERT_EQ(model.LengthItems.size(), kLengthItems);
    EXPECT_EQ(model.LengthItems[0], QStringLiteral("-"));
    EXPECT_EQ(model.LengthItems[1], QStringLiteral("-"));
    EXPECT_EQ(model.LengthItems[2], QString());
    EXPECT_EQ(model.Trigger.TriggerLevel, 300);
    EXPECT_EQ(model.Trigger.Channel.load(), 1);
    EXPECT_EQ(model.Trigger.Edge.load(), TriggerEdge::Rising);
    EXPECT_EQ(model.Trigger.TypeIndex, 0);
}

TEST(WaveSettingsTest, StoredValuesAndTheirLimits) {
    WaveModel model;
    model.SourceItems = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    // The section is found whatever its case.
    LoadWaveSettings(model, configWith("[SystemSet]\r\n"
                                       "Wve1_1Idx=2\r\nWve1_2Idx=7\r\nWve1_3Idx=-1\r\n"
                                       "Ch1_1Rage=-1\r\nCh1_2Rage=1\r\nCh1_3Rage=3\r\n"
                                       "Ch1_4Rage=9\r\n"
                                       "Wve1_1Pos=30000\r\nWve1_2Pos=30001\r\n"
                                       "Wve1_2PosBak=222\r\nWve1_3Pos=-5\r\n"
                                       "DWve1_4PosBak=300\r\ncbbxBit1_1=31\r\ncbbxBit1_2=40\r\n"
                                       "TigeChannel=3\r\nTigeEdge=2\r\nTigeType=1\r\n"
                                       "TiggerLabPosi=250\r\nWaveFlelve=2\r\n"
                                       "BoardColor=16777215\r\n"));
    EXPECT_EQ(model.RangeItems,
              (QStringList{"10mV", "100mV", "1V", "5V"}));  // Length 3: four items, trimmed

    const WaveChannel* c = model.Channels.data();
    EXPECT_EQ(c[0].SourceIndex, 2);
    EXPECT_EQ(c[1].SourceIndex, 0);  // past the list
    EXPECT_EQ(c[2].SourceIndex, 0);

    EXPECT_EQ(c[0].RangeIndex, 0);  // -1 reads as 0
    EXPECT_DOUBLE_EQ(c[0].ValuePerDivision, 0.01);
    EXPECT_DOUBLE_EQ(c[1].ValuePerDivision, 0.1);
    EXPECT_DOUBLE_EQ(c[2].ValuePerDivision, 3.0);  // "abc" is not a number
    EXPECT_EQ(c[3].RangeIndex, -1);                // no such item
    EXPECT_DOUBLE_EQ(c[3].ValuePerDivision, 3.0);

    EXPECT_TRUE(c[0].isOn());
    EXPECT_EQ(c[0].ZeroLine, 30000);
    EXPECT_FALSE(c[1].isOn());  // above 30000
    EXPECT_EQ(c[1].ZeroLineBackup, 222);
    EXPECT_FALSE(c[2].isOn());  // a negative value wraps above 30000
    EXPECT_EQ(model.Derivative[3].ZeroLineBackup, 300);
    EXPECT_EQ(c[0].BitNumber, 31);
    EXPECT_EQ(c[1].BitNumber, 0);

    EXPECT_EQ(model.Trigger.Channel.load(), 3);
    EXPECT_EQ(model.Trigger.Edge.load(), TriggerEdge::Falling);
    EXPECT_EQ(model.Trigger.TypeIndex, 1);
    EXPECT_EQ(model.Trigger.TriggerLevel, 250);
    EXPECT_EQ(model.LengthIndex, 2);
    EXPECT_EQ(model.ScreenCount, 4);
    EXPECT_EQ(model.LengthItems[2], QStringLiteral("3.2ms"));
    EXPECT_EQ(model.LengthItems[3], QString());
    EXPECT_EQ(model.BoardColor, 0xFFFFFF);
}

TEST(WaveSettingsTest, SaveThenLoadGivesTheSameState) {
    IniFile config = configWith("[Systemset]\r\nOther=kept\r\n");
    WaveModel model;
    model.SourceItems = {QStringLiteral("a"), QStringLiteral("b")};
    LoadWaveSettings(model, config);

    model.Channels[0].SourceIndex = 1;
    model.Channels[0].RangeIndex = 2;
    model.Channels[0].ZeroLine = 200;
    model.Channels[0].ChannelShift = 3;  // saved folded in: 260
    model.Channels[1].ZeroLineBackup = 123;
    model.Channels[1].ChannelShift = -800;  // off stays off: 32768 - 16000 would read as on
    model.Channels[1].switchOff();
    model.Channels[2].ZeroLineBackup = 40000;  // not written: the stored 211 stays
    model.Channels[2].ZeroLine = 151;
    model.Channels[2].ChannelShift = -10;  // above the top edge: saved at 0, still on
    model.Channels[3].BitNumber = 17;
    model.Channels[3].Color = 0x00FF00;
    model.Compare[1].ZeroLineBackup = 99;
    model.Compare[2].Color = 0x123456;
    model.Integral[0].ZeroLineBackup = 77;
    model.Derivative[3].ZeroLineBackup = 88;
    model.mx1 = 10;
    model.my2 = 20;
    model.MouseAxistX = 30;
    model.BoardColor = 0x0000FF;
    model.Trigger.TriggerLevel = 180;
    model.Trigger.Channel = 4;
    model.Trigger.Edge = TriggerEdge::Falling;
    SetLength(model, 1, config);
    SaveWaveSettings(model, config);

    EXPECT_EQ(config.readString("Systemset", "Other"), QStringLiteral("kept"));
    EXPECT_EQ(config.readInt("Systemset", "Wve1_1Pos", 0), 260);
    EXPECT_EQ(config.readInt("Systemset", "Wve1_2Pos", 0), 32768);
    EXPECT_EQ(config.readInt("Systemset", "Wve1_3Pos", -1), 0);
    EXPECT_FALSE(config.hasKey("Systemset", "Wve1_3PosBak"));
    EXPECT_EQ(config.readInt("Systemset", "TigeEdge", 0), 2);

    WaveModel reloaded;
    reloaded.SourceItems = model.SourceItems;
    LoadWaveSettings(reloaded, IniFile::fromBytes(config.toBytes()));
    EXPECT_EQ(reloaded.Channels[0].SourceIndex, 1);
    EXPECT_EQ(reloaded.Channels[0].RangeIndex, 2);
    EXPECT_DOUBLE_EQ(reloaded.Channels[0].ValuePerDivision, 1.0);
    EXPECT_EQ(reloaded.Channels[0].ZeroLine, 260);
    EXPECT_EQ(reloaded.Channels[0].ChannelShift, 0);
    EXPECT_FALSE(reloaded.Channels[1].isOn());
    EXPECT_EQ(reloaded.Channels[1].ZeroLineBackup, 123);
    EXPECT_EQ(reloaded.Channels[2].ZeroLineBackup, 211);
    EXPECT_TRUE(reloaded.Channels[2].isOn());
    EXPECT_EQ(reloaded.Channels[2].ZeroLine, 0);
    EXPECT_EQ(reloaded.Channels[3].BitNumber, 17);
    EXPECT_EQ(reloaded.Channels[3].Color, 0x00FF00);
    EXPECT_EQ(reloaded.Compare[1].ZeroLineBackup, 99);
    EXPECT_EQ(reloaded.Compare[2].Color, 0x123456);
    EXPECT_EQ(reloaded.Integral[0].ZeroLineBackup, 77);
    EXPECT_EQ(reloaded.Derivative[3].ZeroLineBackup, 88);
    EXPECT_EQ(reloaded.mx1, 10);
    EXPECT_EQ(reloaded.my2, 20);
    EXPECT_EQ(reloaded.MouseAxistX, 30);
    EXPECT_EQ(reloaded.BoardColor, 0x0000FF);
    EXPECT_EQ(reloaded.Trigger.TriggerLevel, 180);
    EXPECT_EQ(reloaded.Trigger.Channel.load(), 4);
    EXPECT_EQ(reloaded.Trigger.Edge.load(), TriggerEdge::Falling);
    EXPECT_EQ(reloaded.LengthIndex, 1);
    EXPECT_EQ(reloaded.ScreenCount, 2);
}

TEST(WaveSettingsTest, NoTriggerChannelWritesNoKey) {
    IniFile config = configWith("[Systemset]\r\nTigeChannel=2\r\n");
    WaveModel model;
    LoadWaveSettings(model, config);
    model.Trigger.Channel = 0;
    SaveWaveSettings(model, config);
    EXPECT_EQ(config.readInt("Systemset", "TigeChannel", 0), 2);
}

TEST(WaveSettingsTest, SetRangeRefusesRangesThatCannotScale) {
    IniFile config = configWith("");
    WaveModel model;
    LoadWaveSettings(model, config);
    model.RangeItems << QStringLiteral("nokey");
    ASSERT_EQ(SetRange(model, 0, 2, config), SetRangeResult::Changed);
    EXPECT_DOUBLE_EQ(model.Channels[0].ValuePerDivision, 1.0);
    EXPECT_EQ(model.Channels[0].RangeIndex, 2);

    for (int item : {-1, 3, 4, 99}) {  // none, "abc", no VGridLelve entry, past the list
        EXPECT_EQ(SetRange(model, 0, item, config), SetRangeResult::Refused) << item;
        EXPECT_DOUBLE_EQ(model.Channels[0].ValuePerDivision, 1.0);
        EXPECT_EQ(model.Channels[0].RangeIndex, 2);
    }
    EXPECT_EQ(rangeErrorText(), QStringLiteral("请选择正确的量程！"));
}

TEST(WaveSettingsTest, SetLengthReadsScreenCount) {
    IniFile config = configWith("");
    WaveModel model;
    struct Case {
        int item;
        int index;
        int screenCount;
    } cases[] = {{0, 0, 1}, {2, 2, 4}, {3, 3, 1}, {5, 5, 1}, {6, 6, kMaxScreenCount}, {80, -1, 1}};
    for (const Case& c : cases) {
        SetLength(model, c.item, config);
        EXPECT_EQ(model.LengthIndex, c.index) << c.item;
        EXPECT_EQ(model.ScreenCount, c.screenCount) << c.item;
    }
}

TEST(WaveSettingsTest, ManualDataTypes) {
    IniFile config = IniFile::fromBytes("[DataType1]\r\nCh1=69\r\nCh2=37\r\nCh4=999\r\n");
    WaveModel model;
    LoadManualDataTypes(model, config);
    EXPECT_EQ(model.Channels[0].SampleType, 69);
    EXPECT_EQ(model.Channels[1].SampleType, 37);
    EXPECT_EQ(model.Channels[2].SampleType, 0);
    EXPECT_EQ(model.Channels[3].SampleType, 0);

    model.Channels[2].SampleType = 21;
    SaveManualDataType(model, 2, config);
    EXPECT_EQ(config.readInt("DataType1", "Ch3", -1), 21);
}

}  // namespace
}  // namespace tevra
