#include "DriveFaults.h"

#include <algorithm>

namespace tevra::sim {

void DriveFaults::clear(FaultKind kind) {
    std::erase_if(rules_, [&](const FaultRule& r) { return r.kind == kind; });
}

ReplyFaults DriveFaults::take(int command) {
    ReplyFaults f;
    for (FaultRule& r : rules_) {
        if (r.command != kAnyCommand && r.command != command) {
            continue;
        }
        if (r.kind == FaultKind::BusyReply && !isEepromCommand(command)) {
            continue;
        }
        switch (r.kind) {
            case FaultKind::NoReply:
                f.noReply = true;
                break;
            case FaultKind::CorruptReply:
                f.corrupt = true;
                break;
            case FaultKind::BusyReply:
                f.busy = true;
                break;
            case FaultKind::TruncateReply:
                f.truncateTo = std::max(0, r.param);
                break;
            case FaultKind::DelayReply:
                f.delayMs = std::max(f.delayMs, r.param);
                break;
        }
        if (r.remaining > 0) {
            --r.remaining;
        }
    }
    std::erase_if(rules_, [](const FaultRule& r) { return r.remaining == 0; });
    return f;
}

QString faultKindName(FaultKind kind) {
    switch (kind) {
        case FaultKind::NoReply:
            return QStringLiteral("silence");
        case FaultKind::CorruptReply:
            return QStringLiteral("corrupt");
        case FaultKind::BusyReply:
            return QStringLiteral("busy");
        case FaultKind::TruncateReply:
            return QStringLiteral("truncate");
        case FaultKind::DelayReply:
            return QStringLiteral("delay");
    }
    return QString();
}

}  // namespace tevra::sim
