#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "description/DriveDescription.h"

namespace tevra {

class RegisterDirectory;
class WaveModel;
struct WaveChannel;

// What source resolution looks at: the permission level, the wave entries of the drive
// description (user level) and the register directory.
struct WaveSourceCatalog {
    bool AdministratorMode = false;
    const WaveSourceList* Entries = nullptr;
    const RegisterDirectory* Registers = nullptr;
};

// The texts the source combos offer: the display names of the wave entries for a user, the
// register names of the directory for the administrator.
QStringList waveSourceNames(const WaveSourceCatalog& catalog);

// Sets the model's source items; a channel whose index is outside them gets 0.
void fillWaveSources(WaveModel& model, const QStringList& names);

// Fills ChannelName, ChannelUnit, SourceSlot, IntegralScale and IntegralUnit of the channel
// from its selected source.
void ResolveSource(WaveChannel& channel, const QStringList& sourceItems,
                   const WaveSourceCatalog& catalog);

struct IntegralFactor {
    double Scale = 1.0;
    QString Unit;
};
// 6.0 and "°" for the motor-speed sources, else 1.0 and no unit.
IntegralFactor integralFactorFor(QStringView sourceName);

}  // namespace tevra
