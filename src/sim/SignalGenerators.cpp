#include "SignalGenerators.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tevra::sim {

namespace {

uint64_t splitMix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// The trapezoid of the speed profile over one period, in [-1, 1]: eight equal phases,
// accelerate, cruise, decelerate, stand, and the same in reverse.
double speedShape(double t) {
    const double phase = t * 8.0;
    const int k = static_cast<int>(phase);
    const double f = phase - k;
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

}  // namespace

int64_t SignalSpec::value(uint64_t n, const uint16_t* ram) const {
    if (kind == SignalKind::Function) {
        return function ? function(n, ram) : 0;
    }
    const uint64_t period = std::max<uint32_t>(periodSamples, 2);
    const uint64_t pos = (n + phaseSamples) % period;
    const double t = static_cast<double>(pos) / static_cast<double>(period);
    double v = offset;
    switch (kind) {
        case SignalKind::Sine:
            v += amplitude * std::sin(2.0 * std::numbers::pi * t);
            break;
        case SignalKind::Square:
            v += pos < period / 2 ? amplitude : -amplitude;
            break;
        case SignalKind::Ramp:
            v += amplitude * (2.0 * t - 1.0);
            break;
        case SignalKind::Noise: {
            const uint64_t r = splitMix64(seed * 0x100000001B3ULL ^ (n + phaseSamples));
            const double u = static_cast<double>(r >> 11) / 9007199254740992.0;  // [0, 1)
            v += amplitude * (2.0 * u - 1.0);
            break;
        }
        case SignalKind::SpeedProfile:
            v += amplitude * speedShape(t);
            break;
        case SignalKind::Function:
            break;
    }
    const double lo = wide ? -2147483648.0 : -32768.0;
    const double hi = wide ? 4294967295.0 : 65535.0;
    return static_cast<int64_t>(std::llround(std::clamp(v, lo, hi)));
}

void SignalGenerators::bind(uint16_t address, const SignalSpec& spec) {
    unbind(address);
    if (spec.wide && address < 0xFFFF) {
        unbind(static_cast<uint16_t>(address + 1));
    }
    signals_[address] = spec;
}

void SignalGenerators::unbind(uint16_t address) {
    signals_.erase(address);
    // A wide signal just below covers this address with its high word.
    if (address > 0) {
        auto it = signals_.find(static_cast<uint16_t>(address - 1));
        if (it != signals_.end() && it->second.wide) {
            signals_.erase(it);
        }
    }
}

const SignalSpec* SignalGenerators::find(uint16_t address) const {
    auto it = signals_.find(address);
    return it == signals_.end() ? nullptr : &it->second;
}

std::optional<uint16_t> SignalGenerators::word(uint16_t address, uint64_t n,
                                               const uint16_t* ram) const {
    if (auto it = signals_.find(address); it != signals_.end()) {
        return static_cast<uint16_t>(static_cast<uint64_t>(it->second.value(n, ram)) & 0xFFFF);
    }
    if (address > 0) {
        auto it = signals_.find(static_cast<uint16_t>(address - 1));
        if (it != signals_.end() && it->second.wide) {
            return static_cast<uint16_t>((static_cast<uint64_t>(it->second.value(n, ram)) >> 16) &
                                         0xFFFF);
        }
    }
    return std::nullopt;
}

QString signalKindName(SignalKind kind) {
    switch (kind) {
        case SignalKind::Sine:
            return QStringLiteral("sine");
        case SignalKind::Square:
            return QStringLiteral("square");
        case SignalKind::Ramp:
            return QStringLiteral("ramp");
        case SignalKind::Noise:
            return QStringLiteral("noise");
        case SignalKind::SpeedProfile:
            return QStringLiteral("speed");
        case SignalKind::Function:
            return QStringLiteral("function");
    }
    return QString();
}

std::optional<SignalKind> signalKindFromName(const QString& name) {
    for (SignalKind k : {SignalKind::Sine, SignalKind::Square, SignalKind::Ramp, SignalKind::Noise,
                         SignalKind::SpeedProfile}) {
        if (name.compare(signalKindName(k), Qt::CaseInsensitive) == 0) {
            return k;
        }
    }
    return std::nullopt;
}

}  // namespace tevra::sim
