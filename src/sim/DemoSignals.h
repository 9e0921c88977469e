#pragma once

#include <QMap>
#include <QString>

#include <cstdint>

namespace tevra::sim {

class SimulatedDrive;

// The signals of the demo drive's registers: a trapezoid speed move (2 s forward and
// back, 3000 rpm) with the torque, position, encoder and status registers that follow it,
// phase currents, analogue inputs, test signals and constants, as the demo description's
// register map documents them. Registers are found by name in `registers` (name ->
// address, from the model's [Register] section); names the map lacks are skipped. An
// empty map uses the demo drive's own addresses.
struct DemoSignalSettings {
    double ratedCurrentA = 2.8;  // scales the q-axis current
    uint16_t controlModeParameter = 0x02;
    uint16_t alarmRegisters[3] = {0x6FC4, 0x6FC6, 0x6FC8};
    int64_t samplePeriodNs = 62'500;
};

void bindDemoSignals(SimulatedDrive& drive, const QMap<QString, uint16_t>& registers,
                     const DemoSignalSettings& settings = {});

// The demo drive's register addresses by name.
QMap<QString, uint16_t> demoRegisterAddresses();

}  // namespace tevra::sim
