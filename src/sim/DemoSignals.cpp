#include "DemoSignals.h"

#include <array>
#include <bit>
#include <cmath>
#include <numbers>

#include "SimulatedDrive.h"

namespace tevra::sim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kMovePeriodS = 2.0;  // forward and back
constexpr double kTopSpeedRpm = 3000.0;
constexpr double kSpeedLagS = 0.005;
constexpr double kTorqueLagS = 0.001;

uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Uniform in [-1, 1), the same for the same channel and sample.
double noise(uint64_t channel, uint64_t n) {
    return static_cast<double>(mix(channel * 0x100000001B3ULL ^ n) >> 11) / 4503599627370496.0 -
           1.0;
}

double frac(double x) {
    return x - std::floor(x);
}

// The move over one period in [-1, 1]: eight equal phases, accelerate, cruise,
// decelerate, stand, then the same backwards.
double moveShape(double u) {
    const double p = frac(u) * 8.0;
    const int k = static_cast<int>(p);
    const double f = p - k;
    const double sign = k < 4 ? 1.0 : -1.0;
    switch (k % 4) {
        case 0:
            return sign * f;
        case 1:
            return sign;
        case 2:
            return sign * (1.0 - f);
        default:
            return 0.0;
    }
}

// The slope of the move: +1 while the speed rises, -1 while it falls, 0 otherwise.
int moveSlope(double u) {
    const int k = static_cast<int>(frac(u) * 8.0);
    switch (k) {
        case 0:
        case 6:
            return 1;
        case 2:
        case 4:
            return -1;
        default:
            return 0;
    }
}

// The integral of moveShape from the start of the period to u (in periods).
double moveArea(double u) {
    const double p = frac(u) * 8.0;
    const int k = static_cast<int>(p);
    const double f = p - k;
    const double h = 1.0 / 8.0;
    double a = 0;
    switch (k % 4) {
        case 0:
            a = h * f * f / 2.0;
            break;
        case 1:
            a = h / 2.0 + h * f;
            break;
        case 2:
            a = 1.5 * h + h * (f - f * f / 2.0);
            break;
        default:
            a = 2.0 * h;
            break;
    }
    return k < 4 ? a : 2.0 * h - a;
}

double speedRef(double t) {
    return kTopSpeedRpm * moveShape(t / kMovePeriodS);
}

// The reference through a first-order lag, by a short weighted sum over its past.
double speedFbk(double t) {
    constexpr int kTaps = 24;
    const double h = 5.0 * kSpeedLagS / kTaps;
    double sum = 0;
    double weights = 0;
    for (int k = 0; k < kTaps; ++k) {
        const double s = (k + 0.5) * h;
        const double w = std::exp(-s / kSpeedLagS);
        sum += w * speedRef(t - s);
        weights += w;
    }
    return sum / weights;
}

// Motor revolutions since the start (the lagged speed integrated).
double revolutions(double t) {
    const double tl = t - kSpeedLagS;
    if (tl <= 0) {
        return 0;
    }
    return kTopSpeedRpm / 60.0 * kMovePeriodS * moveArea(tl / kMovePeriodS);
}

double torqueRef(double t, uint64_t n) {
    const int slope = moveSlope(t / kMovePeriodS);
    return slope != 0 ? 800.0 * slope : 50.0 + 20.0 * noise(2, n);
}

int64_t wrap32(double v) {
    const double m = std::fmod(v, 4294967296.0);
    return static_cast<int32_t>(
        static_cast<uint32_t>(static_cast<int64_t>(m < 0 ? m + 4294967296.0 : m)));
}

int64_t floatBits(double v) {
    return std::bit_cast<uint32_t>(static_cast<float>(v));
}

int64_t rounded(double v) {
    return std::llround(v);
}

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
    const double dt = static_cast<double>(settings.samplePeriodNs) * 1e-9;
    const double rated = settings.ratedCurrentA;
    const std::array<uint16_t, 3> alarmRegs = {
        settings.alarmRegisters[0], settings.alarmRegisters[1], settings.alarmRegisters[2]};
    const uint16_t modeParameter = settings.controlModeParameter;

    // The lowest active alarm code, 0 when none.
    auto activeAlarm = [alarmRegs](const uint16_t* ram) -> int {
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

    auto bind = [&](const char* name, bool wide, SignalFunction f) {
        const auto it = registers.find(QLatin1String(name));
        if (it == registers.end()) {
            return;
        }
        SignalSpec spec;
        spec.kind = SignalKind::Function;
        spec.wide = wide;
        spec.function = std::move(f);
        drive.bindSignal(it.value(), spec);
    };
    auto constant = [&](const char* name, uint32_t value, bool wide = false) {
        const auto it = registers.find(QLatin1String(name));
        if (it == registers.end()) {
            return;
        }
        drive.unbindSignal(it.value());
        if (wide) {
            drive.setRam32(it.value(), value);
        } else {
            drive.setRam(it.value(), static_cast<uint16_t>(value));
        }
    };
    auto t = [dt](uint64_t n) { return static_cast<double>(n) * dt; };

    bind("iMotoSpRpm", false, [=](uint64_t n, const uint16_t*) { return rounded(speedFbk(t(n))); });
    bind("iMotorRefSp", false,
         [=](uint64_t n, const uint16_t*) { return rounded(speedRef(t(n))); });
    bind("iTorqueRef", false,
         [=](uint64_t n, const uint16_t*) { return rounded(torqueRef(t(n), n)); });
    bind("iTorqueFbk", false, [=](uint64_t n, const uint16_t*) {
        const double tl = t(n) - kTorqueLagS;
        const uint64_t nl = n >= static_cast<uint64_t>(kTorqueLagS / dt)
                                ? n - static_cast<uint64_t>(kTorqueLagS / dt)
                                : 0;
        return rounded(torqueRef(tl, nl) + 10.0 * noise(3, n));
    });
    auto posErr = [=](uint64_t n) { return 1200.0 * std::sin(kTwoPi * 5.0 * t(n)); };
    auto posCmd = [=](uint64_t n) { return 2.0e6 * t(n); };
    bind("lPosErr", true, [=](uint64_t n, const uint16_t*) { return rounded(posErr(n)); });
    bind("lPosCmdSum", true,
         [=](uint64_t n, const uint16_t*) { return wrap32(std::round(posCmd(n))); });
    bind("lPosFbkSum", true, [=](uint64_t n, const uint16_t*) {
        return wrap32(std::round(posCmd(n)) - static_cast<double>(rounded(posErr(n))));
    });
    bind("uBusVolt", false,
         [=](uint64_t n, const uint16_t*) { return rounded(3110.0 + 15.0 * noise(4, n)); });
    bind("iCurrU", false, [=](uint64_t n, const uint16_t*) {
        return rounded(400.0 * std::sin(kTwoPi * 50.0 * t(n)));
    });
    bind("iCurrV", false, [=](uint64_t n, const uint16_t*) {
        return rounded(400.0 * std::sin(kTwoPi * 50.0 * t(n) - kTwoPi / 3.0));
    });
    bind("iqCurrD", false,
         [=](uint64_t n, const uint16_t*) { return rounded(0.05 * 4096.0 * noise(5, n)); });
    bind("iqCurrQ", false, [=](uint64_t n, const uint16_t*) {
        return rounded(torqueRef(t(n), n) * rated / 1000.0 * 4096.0);
    });
    bind("uCurrRms", false,
         [=](uint64_t n, const uint16_t*) { return rounded(283.0 + 5.0 * noise(6, n)); });
    bind("fElecAngle", true,
         [=](uint64_t n, const uint16_t*) { return floatBits(360.0 * frac(50.0 * t(n))); });
    bind("ulEncSingle", true, [=](uint64_t n, const uint16_t*) {
        return static_cast<int64_t>(std::floor(frac(revolutions(t(n))) * 8388608.0)) & 0x7FFFFF;
    });
    bind("iEncMulti", false, [=](uint64_t n, const uint16_t*) {
        return static_cast<int64_t>(std::floor(revolutions(t(n))));
    });
    bind("uLoadRate", false,
         [=](uint64_t n, const uint16_t*) { return rounded(420.0 + 10.0 * noise(7, n)); });
    bind("iAi1Volt", false,
         [=](uint64_t n, const uint16_t*) { return rounded(5000.0 * std::sin(kTwoPi * t(n))); });
    bind("iAi2Volt", false,
         [=](uint64_t n, const uint16_t*) { return rounded(3.0 * noise(8, n)); });
    bind("iSpeedErr", false, [=](uint64_t n, const uint16_t*) {
        return rounded(speedRef(t(n))) - rounded(speedFbk(t(n)));
    });
    bind("iqSigGen", false, [=](uint64_t n, const uint16_t*) {
        return rounded(32767.0 * std::sin(kTwoPi * 20.0 * t(n)));
    });
    bind("uBusVoltAd", false,
         [=](uint64_t n, const uint16_t*) { return rounded(2048.0 + 4.0 * noise(9, n)); });
    bind("iCurrUAd", false,
         [=](uint64_t n, const uint16_t*) { return rounded(6.0 + 3.0 * noise(10, n)); });
    bind("iCurrVAd", false,
         [=](uint64_t n, const uint16_t*) { return rounded(-4.0 + 3.0 * noise(11, n)); });
    bind("iAi1Ad", false,
         [=](uint64_t n, const uint16_t*) { return rounded(12.0 + 2.0 * noise(12, n)); });
    bind("iAi2Ad", false,
         [=](uint64_t n, const uint16_t*) { return rounded(-9.0 + 2.0 * noise(13, n)); });
    bind("iqLoadObs", true, [=](uint64_t n, const uint16_t*) {
        return frac(2.0 * t(n)) < 0.5 ? int64_t{5033165} : int64_t{-5033165};
    });
    bind("ulRunTime", true, [=](uint64_t n, const uint16_t*) {
        return 360000 + static_cast<int64_t>(std::floor(t(n)));
    });
    bind("fOutPower", true, [=](uint64_t n, const uint16_t*) {
        const double tl = t(n) - kTorqueLagS;
        return floatBits(speedFbk(t(n)) * (torqueRef(tl, n) + 10.0 * noise(3, n)) * 0.0133);
    });
    bind("uqPwmDuty", false, [=](uint64_t n, const uint16_t*) {
        return rounded((0.5 + 0.4 * std::sin(kTwoPi * 50.0 * t(n))) * 32768.0);
    });
    bind("iqVoltD", false,
         [=](uint64_t n, const uint16_t*) { return rounded((-12.0 + 0.5 * noise(14, n)) * 64.0); });
    bind("iqVoltQ", false,
         [=](uint64_t n, const uint16_t*) { return rounded(speedFbk(t(n)) * 0.05 * 64.0); });
    bind("iqSpeedObs", true,
         [=](uint64_t n, const uint16_t*) { return rounded(speedFbk(t(n)) * 65536.0); });
    bind("uInputStus", false, [=](uint64_t n, const uint16_t*) {
        return int64_t{1} | ((static_cast<int64_t>(std::floor(t(n) / 0.5)) & 1) << 1);
    });
    bind("uPulseInStus", false, [=](uint64_t n, const uint16_t*) {
        const int64_t ref = rounded(speedRef(t(n)));
        return (ref != 0 ? 0x100 : 0) | (ref < 0 ? 0x200 : 0);
    });
    bind("uOutputStus", false, [=](uint64_t n, const uint16_t*) {
        return int64_t{1} | (rounded(speedFbk(t(n))) == 0 ? 4 : 0);
    });
    bind("uDrvOutStus", false, [=](uint64_t, const uint16_t* ram) {
        return int64_t{0x0801} | (activeAlarm(ram) != 0 ? 2 : 0);
    });
    bind("uErrCode", false,
         [=](uint64_t, const uint16_t* ram) { return int64_t{activeAlarm(ram)}; });
    bind("uCtrlMode", false, [=](uint64_t, const uint16_t* ram) {
        return ram ? int64_t{ram[modeParameter]} : int64_t{0};
    });
    bind("uRunStus", false, [=](uint64_t, const uint16_t* ram) {
        return activeAlarm(ram) != 0 ? int64_t{3} : int64_t{2};
    });
    bind("uTestRamp", false,
         [](uint64_t n, const uint16_t*) { return static_cast<int64_t>(n & 0xFFFF); });
    bind("iTestSquare", false, [=](uint64_t n, const uint16_t*) {
        return frac(10.0 * t(n)) < 0.5 ? int64_t{1000} : int64_t{-1000};
    });
    bind("iTestNoise", false,
         [=](uint64_t n, const uint16_t*) { return rounded(500.0 * noise(15, n)); });
    bind("uSpdLoopCnt", false,
         [](uint64_t n, const uint16_t*) { return static_cast<int64_t>(n & 0xFFFF); });

    constant("uRegenRate", 35);
    constant("iDrvTemp", 41);
    constant("iMotorTemp", 48);
    constant("uPulseFreq", 0);
    constant("uInertiaEst", 250);
    constant("uResFreq", 0);
    constant("uqGearRatio", 1048576, true);
    constant("uWarnCode", 0);
    constant("uLpcmSegNo", 1);
    constant("uLpcmStus", 0);
    constant("uDspLoad", 612);
    constant("uIsrTime", 2350);
    constant("uFpgaVer", 0x0103);
    constant("uDspVer", 106);
}

}  // namespace tevra::sim
