#include "scope/WaveSources.h"

#include "debug/RegisterDirectory.h"
#include "scope/ValueFormat.h"
#include "scope/WaveModel.h"
#include "text/TextUtil.h"

namespace tevra {

QStringList waveSourceNames(const WaveSourceCatalog& catalog) {
    QStringList names;
    if (catalog.AdministratorMode) {
        if (catalog.Registers) {
            for (const RegisterRow& row : catalog.Registers->rows()) {
                names << row.Name;
            }
        }
    } else if (catalog.Entries) {
        for (const WaveSourceEntry& entry : *catalog.Entries) {
            names << entry.Name;
        }
    }
    return names;
}

void fillWaveSources(WaveModel& model, const QStringList& names) {
    model.SourceItems = names;
    for (WaveChannel& c : model.Channels) {
        if (c.SourceIndex < 0 || c.SourceIndex >= names.size()) {
            c.SourceIndex = 0;
        }
    }
}

IntegralFactor integralFactorFor(QStringView sourceName) {
    QString name = trimText(sourceName);
    if (equalsNoCase(name, u"iMotoSpRpm") || equalsNoCase(name, u"iMotorRefSp") ||
        name == QStringLiteral("电机速度") || name == QStringLiteral("电机参考速度")) {
        return {6.0, QStringLiteral("°")};
    }
    return {1.0, QString()};
}

void ResolveSource(WaveChannel& channel, const QStringList& sourceItems,
                   const WaveSourceCatalog& catalog) {
    channel.ChannelUnit.clear();
    channel.SourceSlot = 0x8000;
    channel.ChannelName = channel.SourceIndex >= 0 && channel.SourceIndex < sourceItems.size()
                              ? trimText(sourceItems[channel.SourceIndex])
                              : QString();

    int row = -1;
    if (catalog.AdministratorMode) {
        if (catalog.Registers) {
            row = catalog.Registers->indexOfName(channel.ChannelName);
        }
    } else if (catalog.Entries) {
        for (const WaveSourceEntry& entry : *catalog.Entries) {
            if (!equalsNoCase(trimText(entry.Name), channel.ChannelName)) {
                continue;
            }
            QString unit = trimText(entry.Unit);
            channel.ChannelUnit = unit == QStringLiteral("-") ? QString() : unit;
            if (entry.Coefficient != 0 && entry.Coefficient != 1) {
                channel.ChannelUnit =
                    formatDecimal(1.0 / entry.Coefficient, 0, 4) + channel.ChannelUnit;
            }
            if (catalog.Registers) {
                row = catalog.Registers->indexOfName(trimText(entry.RegisterName));
            }
            break;
        }
    }
    if (row >= 0) {
        if (std::optional<uint16_t> address = catalog.Registers->addressOf(row)) {
            channel.SourceSlot = *address;
        }
    }

    IntegralFactor factor = integralFactorFor(channel.ChannelName);
    channel.IntegralScale = factor.Scale;
    channel.IntegralUnit = factor.Unit;
}

}  // namespace tevra
