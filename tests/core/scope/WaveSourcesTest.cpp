#include <gtest/gtest.h>

#include "debug/RegisterDirectory.h"
#include "scope/WaveModel.h"
#include "scope/WaveSources.h"

namespace tevra {
namespace {

RegisterList registers() {
    return {
        {0x0010, QStringLiteral("iMotoSpRpm"), 0},
        {0x0120, QStringLiteral(" wPhaseCurr "), 2},
        {0x1A2B, QStringLiteral("iBusVolt"), 1},
    };
}

WaveSourceList entries() {
    return {
        {QStringLiteral("IMOTOSPRPM"), QStringLiteral("电机速度"), QStringLiteral("rpm"), {}, 1},
        {QStringLiteral("wPhaseCurr"), QStringLiteral("相电流"), QStringLiteral("A"), {}, 10},
        {QStringLiteral("iBusVolt"), QStringLiteral("母线电压"), QStringLiteral("-"), {}, 0},
        {QStringLiteral("missing"), QStringLiteral("Torque"), QStringLiteral(" % "), {}, 4},
    };
}

struct Resolved {
    QString name;
    QString unit;
    uint16_t slot;
    double scale;
    QString integralUnit;
};

Resolved resolve(bool admin, const QString& item) {
    RegisterDirectory directory(registers());
    WaveSourceList list = entries();
    WaveSourceCatalog catalog{admin, &list, &directory};
    WaveChannel channel;
    channel.SourceIndex = 0;
    ResolveSource(channel, {item}, catalog);
    return {channel.ChannelName, channel.ChannelUnit, channel.SourceSlot, channel.IntegralScale,
            channel.IntegralUnit};
}

TEST(WaveSourcesTest, UserLevelGoesThroughTheWaveEntries) {
    Resolved speed = resolve(false, QStringLiteral(" 电机速度 "));
    EXPECT_EQ(speed.name, QStringLiteral("电机速度"));
    EXPECT_EQ(speed.unit, QStringLiteral("rpm"));
    EXPECT_EQ(speed.slot, 0x0010);  // internal name matched without regard to case
    EXPECT_EQ(speed.scale, 6.0);
    EXPECT_EQ(speed.integralUnit, QStringLiteral("°"));

    Resolved current = resolve(false, QStringLiteral("相电流"));
    EXPECT_EQ(current.unit, QStringLiteral("0.1A"));  // divisor 10
    EXPECT_EQ(current.slot, 0x0120);
    EXPECT_EQ(current.scale, 1.0);
    EXPECT_EQ(current.integralUnit, QString());

    EXPECT_EQ(resolve(false, QStringLiteral("母线电压")).unit, QString());  // "-" is no unit
    Resolved torque = resolve(false, QStringLiteral("torque"));
    EXPECT_EQ(torque.unit, QStringLiteral("0.25%"));
    EXPECT_EQ(torque.slot, 0x8000);  // no such register

    Resolved unknown = resolve(false, QStringLiteral("nothing"));
    EXPECT_EQ(unknown.unit, QString());
    EXPECT_EQ(unknown.slot, 0x8000);
}

TEST(WaveSourcesTest, AdministratorLevelGoesStraightToTheRegisters) {
    Resolved bus = resolve(true, QStringLiteral("ibusvolt"));
    EXPECT_EQ(bus.slot, 0x1A2B);
    EXPECT_EQ(bus.unit, QString());
    EXPECT_EQ(resolve(true, QStringLiteral("wphasecurr")).slot, 0x0120);
    EXPECT_EQ(resolve(true, QStringLiteral("iMotoSpRpm")).scale, 6.0);
    EXPECT_EQ(resolve(true, QStringLiteral("电机速度")).slot, 0x8000);
}

TEST(WaveSourcesTest, IntegralFactor) {
    for (const char16_t* name : {u"iMotoSpRpm", u" IMOTORREFSP ", u"电机速度", u"电机参考速度"}) {
        EXPECT_EQ(integralFactorFor(QStringView(name)).Scale, 6.0);
    }
    EXPECT_EQ(integralFactorFor(u"iMotoSpRpm2").Scale, 1.0);
    EXPECT_EQ(integralFactorFor(u"电机速度2").Unit, QString());
}

TEST(WaveSourcesTest, SourceListsAndIndexes) {
    RegisterDirectory directory(registers());
    WaveSourceList list = entries();
    EXPECT_EQ(waveSourceNames({false, &list, &directory}),
              (QStringList{"电机速度", "相电流", "母线电压", "Torque"}));
    EXPECT_EQ(waveSourceNames({true, &list, &directory}),
              (QStringList{"iMotoSpRpm", "wPhaseCurr", "iBusVolt"}));

    WaveModel model;
    model.Channels[0].SourceIndex = 2;
    model.Channels[1].SourceIndex = 5;
    model.Channels[2].SourceIndex = -1;
    fillWaveSources(model, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(model.Channels[0].SourceIndex, 2);
    EXPECT_EQ(model.Channels[1].SourceIndex, 0);
    EXPECT_EQ(model.Channels[2].SourceIndex, 0);
}

}  // namespace
}  // namespace tevra
