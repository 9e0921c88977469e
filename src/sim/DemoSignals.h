#pragma once

#include <QMap>
#include <QString>

#include <cstdint>

namespace tevra::sim {

class SimulatedDrive;

// The signals of the demo drive's registers as its register map documents them (kinds,
// offsets, amplitudes, periods and phases in samples), the constants, and the status
// words that follow the alarms and Pr02. Registers are found by name in `registers`
// (name -> address, from the model's [Register] section); names the map lacks are
// skipped. An empty map uses the demo drive's own addresses.
struct DemoSignalSettings {
    uint16_t controlModeParameter = 0x02;
    uint16_t alarmRegisters[3] = {0x6FC4, 0x6FC6, 0x6FC8};
};

void bindDemoSignals(SimulatedDrive& drive, const QMap<QString, uint16_t>& registers,
                     const DemoSignalSettings& settings = {});

// The demo drive's register addresses by name.
QMap<QString, uint16_t> demoRegisterAddresses();

}  // namespace tevra::sim
