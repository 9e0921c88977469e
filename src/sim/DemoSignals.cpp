#include "DemoSignals.h"

#include <array>
#include <bit>
#include <optional>

#include "SimulatedDrive.h"

namespace tevra::sim {

namespace {

// One generated register: kind, offset, amplitude, period and phase in samples.
struct Generated {
    const char* name;
    SignalKind kind;
    double offset;
    double amplitude;
    uint32_t period;
    uint32_t phase;
    bool wide;
};

// The register map's signals.
const Generated kGenerated[] = {
    {"iMotoSpRpm", SignalKind::SpeedProfile, 0, 3000, 2000, 0, false},
    {"iMotorRefSp", SignalKind::SpeedProfile, 0, 3000, 2000, 5, false},
    {"iTorqueRef", SignalKind::Square, 0, 800, 1000, 0, false},
    {"iTorqueFbk", SignalKind::Square, 0, 780, 1000, 999, false},
    {"lPosErr", SignalKind::Sine, 0, 1200, 200, 0, true},
    {"lPosCmdSum", SignalKind::Ramp, 0, 1000000000, 100000, 0, true},
    {"lPosFbkSum", SignalKind::Ramp, 0, 1000000000, 100000, 99995, true},
    {"uBusVolt", SignalKind::Noise, 3110, 15, 2, 0, false},
    {"iCurrU", SignalKind::Sine, 0, 400, 20, 0, false},
    {"iCurrV", SignalKind::Sine, 0, 400, 20, 13, false},
    {"iqCurrD", SignalKind::Noise, 0, 205, 2, 0, false},
    {"iqCurrQ", SignalKind::Square, 0, 4096, 1000, 0, false},
    {"uCurrRms", SignalKind::Noise, 283, 5, 2, 0, false},
    {"ulEncSingle", SignalKind::Ramp, 4194304, 4194304, 600, 0, true},
    {"uLoadRate", SignalKind::Noise, 420, 20, 2, 0, false},
    {"iAi1Volt", SignalKind::Sine, 0, 5000, 1000, 0, false},
    {"iAi2Volt", SignalKind::Noise, 0, 3, 2, 0, false},
    {"iSpeedErr", SignalKind::Noise, 0, 30, 2, 0, false},
    {"iqSigGen", SignalKind::Sine, 0, 32767, 50, 0, false},
    {"uBusVoltAd", SignalKind::Noise, 2048, 4, 2, 0, false},
    {"iCurrUAd", SignalKind::Noise, 6, 3, 2, 0, false},
    {"iCurrVAd", SignalKind::Noise, -4, 3, 2, 0, false},
    {"iAi1Ad", SignalKind::Noise, 12, 2, 2, 0, false},
    {"iAi2Ad", SignalKind::Noise, -9, 2, 2, 0, false},
    {"iqLoadObs", SignalKind::Square, 0, 5033165, 500, 0, true},
    {"uqPwmDuty", SignalKind::Sine, 16384, 13107, 20, 0, false},
    {"iqVoltD", SignalKind::Noise, -768, 32, 2, 0, false},
    {"iqVoltQ", SignalKind::SpeedProfile, 0, 9600, 2000, 0, false},
    {"iqSpeedObs", SignalKind::SpeedProfile, 0, 196608000, 2000, 0, true},
    {"uTestRamp", SignalKind::Ramp, 32768, 32768, 65536, 0, false},
    {"iTestSquare", SignalKind::Square, 0, 1000, 100, 0, false},
    {"iTestNoise", SignalKind::Noise, 0, 500, 2, 0, false},
    {"uSpdLoopCnt", SignalKind::Ramp, 32768, 32768, 65536, 0, false},
    {"uInputStus", SignalKind::Square, 2, 1, 1000, 0, false},
    {"uPulseInStus", SignalKind::Square, 0x200, 0x100, 2000, 0, false},
};

struct Constant {
    const char* name;
    uint32_t value;
    bool wide;
};

const Constant kConstants[] = {
    {"fElecAngle", 0x42B40000, true},  // 90.0 as a single
    {"iEncMulti", 12, false},         {"uRegenRate", 35, false},
    {"iDrvTemp", 41, false},          {"iMotorTemp", 48, false},
    {"uPulseFreq", 0, false},         {"ulRunTime", 360000, true},
    {"uInertiaEst", 250, false},      {"uResFreq", 0, false},
    {"fOutPower", 0x43C80000, true},  // 400.0 as a single
    {"uqGearRatio", 1048576, true},   {"uOutputStus", 0x0005, false},
    {"uWarnCode", 0, false},          {"uLpcmSegNo", 1, false},
    {"uLpcmStus", 0, false},          {"uDspLoad", 612, false},
    {"uIsrTime", 2350, false},        {"uFpgaVer", 0x0103, false},
    {"uDspVer", 106, false},
};

}  // namespace

QMap<QString, uint16_t> demoRegisterAddresses() {
    return {
        {QStringLiteral("iMotoSpRpm"), 0x6F00},  {QStringLiteral("iMotorRefSp"), 0x6F01},
        {QStringLiteral("iTorqueRef"), 0x6F02},  {QStringLiteral("iTorqueFbk"), 0x6F03},
        {QStringLiteral("lPosErr"), 0x6F04},     {QStringLiteral("lPosCmdSum"), 0x6F06},
        {QStringLiteral("lPosFbkSum"), 0x6F08},  {QStringLiteral("uBusVolt"), 0x6F0A},
        {QStringLiteral("iCurrU"), 0x6F0B},      {QStringLiteral("iCurrV"), 0x6F0C},
        {QStringLiteral("iqCurrD"), 0x6F0D},     {QStringLiteral("iqCurrQ"), 0x6F0E},
        {QStringLiteral("uCurrRms"), 0x6F0F},    {QStringLiteral("fElecAngle"), 0x6F10},
        {QStringLiteral("ulEncSingle"), 0x6F12}, {QStringLiteral("iEncMulti"), 0x6F14},
        {QStringLiteral("uLoadRate"), 0x6F15},   {QStringLiteral("uRegenRate"), 0x6F16},
        {QStringLiteral("iDrvTemp"), 0x6F17},    {QStringLiteral("iMotorTemp"), 0x6F18},
        {QStringLiteral("iAi1Volt"), 0x6F19},    {QStringLiteral("iAi2Volt"), 0x6F1A},
        {QStringLiteral("uPulseFreq"), 0x6F1B},  {QStringLiteral("iSpeedErr"), 0x6F1C},
        {QStringLiteral("iqSigGen"), 0x6F1D},    {QStringLiteral("uBusVoltAd"), 0x6F1E},
        {QStringLiteral("iCurrUAd"), 0x6F1F},    {QStringLiteral("iCurrVAd"), 0x6F20},
        {QStringLiteral("iAi1Ad"), 0x6F21},      {QStringLiteral("iAi2Ad"), 0x6F22},
        {QStringLiteral("iqLoadObs"), 0x6F24},   {QStringLiteral("ulRunTime"), 0x6F26},
        {QStringLiteral("uInertiaEst"), 0x6F28}, {QStringLiteral("uResFreq"), 0x6F29},
        {QStringLiteral("fOutPower"), 0x6F2A},   {QStringLiteral("uqPwmDuty"), 0x6F2C},
        {QStringLiteral("iqVoltD"), 0x6F2D},     {QStringLiteral("iqVoltQ"), 0x6F2E},
        {QStringLiteral("iqSpeedObs"), 0x6F30},  {QStringLiteral("uqGearRatio"), 0x6F32},
        {QStringLiteral("uInputStus"), 0x6FC0},  {QStringLiteral("uPulseInStus"), 0x6FC1},
        {QStringLiteral("uOutputStus"), 0x6FC2}, {QStringLiteral("uDrvOutStus"), 0x6FC3},
        {QStringLiteral("ulErrStu1"), 0x6FC4},   {QStringLiteral("ulErrStu2"), 0x6FC6},
        {QStringLiteral("ulErrStu3"), 0x6FC8},   {QStringLiteral("uErrCode"), 0x6FCA},
        {QStringLiteral("uWarnCode"), 0x6FCB},   {QStringLiteral("uCtrlMode"), 0x6FCC},
        {QStringLiteral("uRunStus"), 0x6FCD},    {QStringLiteral("uLpcmSegNo"), 0x6FCE},
        {QStringLiteral("uLpcmStus"), 0x6FCF},   {QStringLiteral("uTestRamp"), 0x6FD8},
        {QStringLiteral("iTestSquare"), 0x6FD9}, {QStringLiteral("iTestNoise"), 0x6FDA},
        {QStringLiteral("uDspLoad"), 0x6FE0},    {QStringLiteral("uIsrTime"), 0x6FE1},
        {QStringLiteral("uSpdLoopCnt"), 0x6FE2}, {QStringLiteral("uFpgaVer"), 0x6FE3},
        {QStringLiteral("uDspVer"), 0x6FE4},
    };
}

void bindDemoSignals(SimulatedDrive& drive, const QMap<QString, uint16_t>& registerMap,
                     const DemoSignalSettings& settings) {
    const QMap<QString, uint16_t> registers =
        registerMap.isEmpty() ? demoRegisterAddresses() : registerMap;
    auto address = [&](const char* name) -> std::optional<uint16_t> {
        const auto it = registers.find(QLatin1String(name));
        return it == registers.end() ? std::nullopt : std::optional<uint16_t>(it.value());
    };

    uint64_t seed = 1;
    for (const Generated& g : kGenerated) {
        ++seed;
        const auto a = address(g.name);
        if (!a) {
            continue;
        }
        SignalSpec spec;
        spec.kind = g.kind;
        spec.offset = g.offset;
        spec.amplitude = g.amplitude;
        spec.periodSamples = g.period;
        spec.phaseSamples = g.phase;
        spec.wide = g.wide;
        spec.seed = seed;
        drive.bindSignal(*a, spec);
    }
    for (const Constant& c : kConstants) {
        const auto a = address(c.name);
        if (!a) {
            continue;
        }
        drive.unbindSignal(*a);
        if (c.wide) {
            drive.setRam32(*a, c.value);
        } else {
            drive.setRam(*a, static_cast<uint16_t>(c.value));
        }
    }

    // The status words that follow the alarms and the control mode parameter.
    const std::array<uint16_t, 3> alarmRegs = {
        settings.alarmRegisters[0], settings.alarmRegisters[1], settings.alarmRegisters[2]};
    auto activeAlarm = [alarmRegs](const uint16_t* ram) -> int64_t {
        if (!ram) {
            return 0;
        }
        for (int r = 0; r < 3; ++r) {
            const uint16_t a = alarmRegs[static_cast<size_t>(r)];
            if (a == 0xFFFF) {
                continue;
            }
            const uint32_t v =
                ram[a] | (static_cast<uint32_t>(ram[static_cast<uint16_t>(a + 1)]) << 16);
            if (v != 0) {
                return 32 * r + std::countr_zero(v) + 1;
            }
        }
        return 0;
    };
    auto bindFunction = [&](const char* name, SignalFunction f) {
        if (const auto a = address(name)) {
            SignalSpec spec;
            spec.kind = SignalKind::Function;
            spec.function = std::move(f);
            drive.bindSignal(*a, spec);
        }
    };
    const uint16_t modeParameter = settings.controlModeParameter;
    bindFunction("uDrvOutStus", [=](uint64_t, const uint16_t* ram) {
        return activeAlarm(ram) != 0 ? int64_t{0x0803} : int64_t{0x0801};
    });
    bindFunction("uErrCode", [=](uint64_t, const uint16_t* ram) { return activeAlarm(ram); });
    bindFunction("uRunStus", [=](uint64_t, const uint16_t* ram) {
        return activeAlarm(ram) != 0 ? int64_t{3} : int64_t{2};
    });
    bindFunction("uCtrlMode", [=](uint64_t, const uint16_t* ram) {
        return ram ? int64_t{ram[modeParameter]} : int64_t{0};
    });
}

}  // namespace tevra::sim
