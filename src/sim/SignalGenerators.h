#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace tevra::sim {

// The shapes a simulated register can carry.
enum class SignalKind {
    Sine,          // offset + amplitude * sin(2 pi n / period)
    Square,        // offset + amplitude for the first half period, offset - amplitude after
    Ramp,          // saw tooth from offset - amplitude up to just below offset + amplitude
    Noise,         // uniform in [offset - amplitude, offset + amplitude], from the seed
    SpeedProfile,  // trapezoid move: accelerate, cruise at +amplitude, decelerate, stand
                   // still, then the same backwards (one period = forward and back)
    Function,      // the register content computed by `function`
};

// A computed register: its raw content (16 or 32 bits, two's complement or float bits)
// at sample n, given the drive's RAM as it stands (for values derived from settings).
using SignalFunction = std::function<int64_t(uint64_t n, const uint16_t* ram)>;

// A deterministic signal as a function of the sample index n.
struct SignalSpec {
    SignalKind kind = SignalKind::Sine;
    double amplitude = 1000.0;
    double offset = 0.0;
    uint32_t periodSamples = 400;  // samples per period (at least 2)
    uint32_t phaseSamples = 0;     // shifts the signal: value(n) = shape(n + phase)
    uint64_t seed = 1;             // noise only
    bool wide = false;             // a 32-bit register: low word at the address, high at +1
    SignalFunction function{};     // SignalKind::Function only

    // The signal's value at sample n, rounded and clamped to the register's range (a
    // function's result is taken as it is). `ram` is needed only by functions that read it.
    int64_t value(uint64_t n, const uint16_t* ram = nullptr) const;
};

// Which registers carry generated signals. A wide signal bound at address A answers for
// A (low word) and A + 1 (high word), both halves from the same 32-bit value.
class SignalGenerators {
  public:
    void bind(uint16_t address, const SignalSpec& spec);
    void unbind(uint16_t address);
    void clear() { signals_.clear(); }
    bool empty() const { return signals_.empty(); }

    // The 16-bit word the register at `address` holds at sample n; nothing when no signal
    // covers the address.
    std::optional<uint16_t> word(uint16_t address, uint64_t n, const uint16_t* ram = nullptr) const;
    // The signal bound at `address` (its first word), if any.
    const SignalSpec* find(uint16_t address) const;
    const std::map<uint16_t, SignalSpec>& bindings() const { return signals_; }

  private:
    std::map<uint16_t, SignalSpec> signals_;
};

// Name of a signal kind as the simulator's commands write it ("sine", "square", "ramp",
// "noise", "speed"), and back.
QString signalKindName(SignalKind kind);
std::optional<SignalKind> signalKindFromName(const QString& name);

}  // namespace tevra::sim
