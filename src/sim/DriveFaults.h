#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace tevra::sim {

// Misbehaviour a simulated drive can be told to show.
enum class FaultKind {
    NoReply,        // the request is received and counted but not answered
    CorruptReply,   // the reply fails its check (bad checksum or CRC, wrong echo, a text
                    // reply starting with 0x31)
    BusyReply,      // EEPROM replies (0x1A, 0x1B, 0x1E) carry the busy value 0x789A with a
                    // valid checksum; a busy write is not carried out
    TruncateReply,  // only the first `param` bytes of the reply are sent
    DelayReply,     // the reply is sent `param` ms late
};

// Command codes a rule can be limited to: the native command byte (the control code for
// a control frame), or kModbusRead for Modbus function 3.
constexpr int kAnyCommand = -1;
constexpr int kModbusRead = 0x103;
constexpr int kForever = -1;

struct FaultRule {
    FaultKind kind = FaultKind::NoReply;
    int command = kAnyCommand;
    int remaining = kForever;  // replies still to affect; kForever never runs out
    int param = 0;
};

// The faults that apply to one reply.
struct ReplyFaults {
    bool noReply = false;
    bool corrupt = false;
    bool busy = false;
    int truncateTo = -1;
    int delayMs = 0;
};

// The active rules. Each reply takes one use from every rule that matches its command
// (busy rules match only the EEPROM commands); exhausted rules are removed.
class DriveFaults {
  public:
    void add(const FaultRule& rule) { rules_.push_back(rule); }
    void clear() { rules_.clear(); }
    // Removes the rules of one kind.
    void clear(FaultKind kind);
    ReplyFaults take(int command);
    const std::vector<FaultRule>& rules() const { return rules_; }

    static bool isEepromCommand(int command) {
        return command == 0x1A || command == 0x1B || command == 0x1E;
    }

  private:
    std::vector<FaultRule> rules_;
};

QString faultKindName(FaultKind kind);

}  // namespace tevra::sim
