#include "SimCommands.h"

#include <optional>

#include "SimulatedDrive.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra::sim {

namespace {

QString error(const QString& text) {
    return QStringLiteral("error: ") + text;
}

// Addresses and command codes: hexadecimal, with or without "0x".
std::optional<uint32_t> hexArg(const QString& text) {
    QString t = text;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        t = t.mid(2);
    }
    return parseHex32(t);
}

// Values and counts: decimal, or hexadecimal after "0x" or "$".
std::optional<int64_t> numberArg(const QString& text) {
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        if (auto v = parseHex64(text.mid(2))) {
            return static_cast<int64_t>(*v);
        }
        return std::nullopt;
    }
    if (text.startsWith(QLatin1Char('$'))) {
        if (auto v = parseHex64(text.mid(1))) {
            return static_cast<int64_t>(*v);
        }
        return std::nullopt;
    }
    return parseInt64(text);
}

// A command filter: a native command code in hexadecimal, or "modbus".
std::optional<int> commandArg(const QString& text) {
    if (text.compare(QLatin1String("modbus"), Qt::CaseInsensitive) == 0) {
        return kModbusRead;
    }
    if (auto v = hexArg(text); v && *v <= 0xFF) {
        return static_cast<int>(*v);
    }
    return std::nullopt;
}

QString commandName(int command) {
    if (command == kAnyCommand) {
        return QStringLiteral("all");
    }
    if (command == kModbusRead) {
        return QStringLiteral("modbus");
    }
    return hexText(static_cast<uint64_t>(command), 2);
}

}  // namespace

QString SimCommands::helpText() {
    return QStringLiteral(
        "Commands (addresses and command codes in hex, values in decimal or 0x-hex):\n"
        "  help                         this text\n"
        "  status                       line settings, faults and request counts\n"
        "  silence on|off|N [CMD]       answer nothing (the next N requests only)\n"
        "  corrupt on|off|N [CMD]       spoil replies: checksum, CRC, echo, text start\n"
        "  busy on|off|N [CMD]          EEPROM replies carry the busy value 0x789A\n"
        "  truncate BYTES [N] [CMD]     send only the first BYTES of replies; truncate off\n"
        "  delay MS [CMD]               answer MS milliseconds late; delay off\n"
        "  stop-after N|off             answer N more requests, then nothing\n"
        "  drop-bytes N|off             lose one byte of every N in wave streams\n"
        "  halt-stream N|off            send only the first N samples of each record\n"
        "  clear-faults                 remove every fault\n"
        "  alarm CODE on|off            set or clear alarm CODE (1..96)\n"
        "  alarms clear                 clear every alarm\n"
        "  ram ADDR [VALUE]             show or set a RAM word\n"
        "  ram32 ADDR [VALUE]           show or set a RAM double word\n"
        "  eeprom ADDR [VALUE]          show or set an EEPROM word (byte address)\n"
        "  info CODE [TEXT]             show or set an information string\n"
        "  signal ADDR KIND AMPLITUDE PERIOD [wide]   generate sine|square|ramp|noise|speed\n"
        "  signal ADDR off              stop generating at ADDR\n"
        "  station N | baud B | pace on|off\n"
        "  counts                       requests received per command\n"
        "  frames [N]                   the last N frames received (default 10)\n"
        "  quit                         stop the drive and exit\n"
        "CMD limits a fault to one command code (e.g. 10, 1A, 30) or to modbus.");
}

QString SimCommands::execute(const QString& line) {
    const QString trimmed = trimText(line);
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) {
        return QString();
    }
    QStringList args = trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString cmd = args.takeFirst().toLower();
    auto arg = [&](int i) { return i < args.size() ? args.at(i) : QString(); };

    if (cmd == QLatin1String("help") || cmd == QLatin1String("?")) {
        return helpText();
    }
    if (cmd == QLatin1String("quit") || cmd == QLatin1String("exit")) {
        quit_ = true;
        return QStringLiteral("bye");
    }

    // silence / corrupt / busy: on | off | N, then an optional command filter.
    if (cmd == QLatin1String("silence") || cmd == QLatin1String("corrupt") ||
        cmd == QLatin1String("busy")) {
        const FaultKind kind = cmd == QLatin1String("silence")   ? FaultKind::NoReply
                               : cmd == QLatin1String("corrupt") ? FaultKind::CorruptReply
                                                                 : FaultKind::BusyReply;
        const QString what = arg(0).toLower();
        if (what == QLatin1String("off")) {
            drive_.clearFaults(kind);
            return cmd + QStringLiteral(" off");
        }
        int count = kForever;
        if (what != QLatin1String("on") && !what.isEmpty()) {
            const auto n = numberArg(what);
            if (!n || *n < 1 || *n > 1'000'000'000) {
                return error(QStringLiteral("%1 takes on, off or a count").arg(cmd));
            }
            count = static_cast<int>(*n);
        }
        int command = kAnyCommand;
        if (!arg(1).isEmpty()) {
            const auto c = commandArg(arg(1));
            if (!c) {
                return error(QStringLiteral("unknown command code ") + arg(1));
            }
            command = *c;
        }
        drive_.addFault({kind, command, count, 0});
        return QStringLiteral("%1 %2 for %3")
            .arg(cmd, count == kForever ? QStringLiteral("on") : QString::number(count),
                 commandName(command));
    }
    if (cmd == QLatin1String("truncate") || cmd == QLatin1String("delay")) {
        const FaultKind kind =
            cmd == QLatin1String("truncate") ? FaultKind::TruncateReply : FaultKind::DelayReply;
        if (arg(0).toLower() == QLatin1String("off") ||
            (arg(0) == QLatin1String("0") && kind == FaultKind::DelayReply)) {
            drive_.clearFaults(kind);
            return cmd + QStringLiteral(" off");
        }
        const auto param = numberArg(arg(0));
        if (!param || *param < 0 || *param > 600'000) {
            return error(cmd + QStringLiteral(" takes a number of ") +
                         (kind == FaultKind::DelayReply ? QStringLiteral("milliseconds")
                                                        : QStringLiteral("bytes")));
        }
        int count = kForever;
        int command = kAnyCommand;
        for (int i = 1; i < args.size(); ++i) {
            if (kind == FaultKind::TruncateReply && i == 1) {
                if (auto n = numberArg(arg(i)); n && *n >= 1) {
                    count = static_cast<int>(*n);
                    continue;
                }
            }
            const auto c = commandArg(arg(i));
            if (!c) {
                return error(QStringLiteral("unknown command code ") + arg(i));
            }
            command = *c;
        }
        drive_.addFault({kind, command, count, static_cast<int>(*param)});
        return QStringLiteral("%1 %2 for %3").arg(cmd, arg(0), commandName(command));
    }
    if (cmd == QLatin1String("stop-after") || cmd == QLatin1String("drop-bytes") ||
        cmd == QLatin1String("halt-stream")) {
        int value = -1;
        if (arg(0).toLower() != QLatin1String("off")) {
            const auto n = numberArg(arg(0));
            if (!n || *n < 0 || *n > 1'000'000'000) {
                return error(cmd + QStringLiteral(" takes a count or off"));
            }
            value = static_cast<int>(*n);
        }
        if (cmd == QLatin1String("stop-after")) {
            drive_.setStopAfterRequests(value);
        } else if (cmd == QLatin1String("drop-bytes")) {
            drive_.setStreamByteDrop(std::max(value, 0));
        } else {
            drive_.setStreamHaltAfter(value);
        }
        return cmd + QLatin1Char(' ') +
               (value < 0 ? QStringLiteral("off") : QString::number(value));
    }
    if (cmd == QLatin1String("clear-faults")) {
        drive_.clearFaults();
        return QStringLiteral("faults cleared");
    }
    if (cmd == QLatin1String("alarm")) {
        const auto code = numberArg(arg(0));
        const QString state = arg(1).toLower();
        if (!code || (state != QLatin1String("on") && state != QLatin1String("off"))) {
            return error(QStringLiteral("alarm CODE on|off"));
        }
        if (!drive_.setAlarm(static_cast<int>(*code), state == QLatin1String("on"))) {
            return error(QStringLiteral("no status register for alarm %1").arg(*code));
        }
        return QStringLiteral("alarm %1 %2").arg(*code).arg(state);
    }
    if (cmd == QLatin1String("alarms") && arg(0).toLower() == QLatin1String("clear")) {
        drive_.clearAlarms();
        return QStringLiteral("alarms cleared");
    }
    if (cmd == QLatin1String("ram") || cmd == QLatin1String("ram32") ||
        cmd == QLatin1String("eeprom")) {
        const auto address = hexArg(arg(0));
        if (!address || *address > 0xFFFF) {
            return error(cmd + QStringLiteral(" ADDR [VALUE], ADDR in hex"));
        }
        if (!arg(1).isEmpty()) {
            const auto v = numberArg(arg(1));
            const int64_t lo = cmd == QLatin1String("ram32") ? INT32_MIN : -32768;
            const int64_t hi = cmd == QLatin1String("ram32") ? UINT32_MAX : 65535;
            if (!v || *v < lo || *v > hi) {
                return error(QStringLiteral("value out of range"));
            }
            if (cmd == QLatin1String("ram")) {
                drive_.setRam(*address, static_cast<uint16_t>(*v));
            } else if (cmd == QLatin1String("ram32")) {
                drive_.setRam32(*address, static_cast<uint32_t>(*v));
            } else {
                drive_.setEepromWord(*address, static_cast<uint16_t>(*v));
            }
        }
        const uint32_t v = cmd == QLatin1String("ram")     ? drive_.ram(*address)
                           : cmd == QLatin1String("ram32") ? drive_.ram32(*address)
                                                           : drive_.eepromWord(*address);
        return QStringLiteral("%1 %2 = %3 (0x%4)")
            .arg(cmd, hexText(*address, 4))
            .arg(v)
            .arg(hexText(v, cmd == QLatin1String("ram32") ? 8 : 4));
    }
    if (cmd == QLatin1String("info")) {
        const auto code = numberArg(arg(0));
        if (!code || *code < 0 || *code > 255) {
            return error(QStringLiteral("info CODE [TEXT]"));
        }
        if (args.size() > 1) {
            const QString text =
                trimmed.section(QLatin1Char(' '), 2, -1, QString::SectionSkipEmpty);
            drive_.setInfoString(static_cast<uint8_t>(*code), text);
        }
        return QStringLiteral("info %1 = %2")
            .arg(*code)
            .arg(drive_.infoString(static_cast<uint8_t>(*code)));
    }
    if (cmd == QLatin1String("signal")) {
        const auto address = hexArg(arg(0));
        if (!address || *address > 0xFFFF) {
            return error(
                QStringLiteral("signal ADDR KIND AMPLITUDE PERIOD [wide] | signal ADDR off"));
        }
        if (arg(1).toLower() == QLatin1String("off")) {
            drive_.unbindSignal(static_cast<uint16_t>(*address));
            return QStringLiteral("signal %1 off").arg(hexText(*address, 4));
        }
        const auto kind = signalKindFromName(arg(1));
        const auto amplitude = numberArg(arg(2));
        const auto period = numberArg(arg(3));
        if (!kind || *kind == SignalKind::Function || !amplitude || !period || *period < 2 ||
            *period > UINT32_MAX) {
            return error(
                QStringLiteral("signal ADDR sine|square|ramp|noise|speed AMPLITUDE PERIOD [wide]"));
        }
        SignalSpec spec;
        spec.kind = *kind;
        spec.amplitude = static_cast<double>(*amplitude);
        spec.periodSamples = static_cast<uint32_t>(*period);
        spec.wide = arg(4).toLower() == QLatin1String("wide");
        spec.seed = *address;
        drive_.bindSignal(static_cast<uint16_t>(*address), spec);
        return QStringLiteral("signal %1 %2").arg(hexText(*address, 4), signalKindName(*kind));
    }
    if (cmd == QLatin1String("station") || cmd == QLatin1String("baud")) {
        const auto v = numberArg(arg(0));
        if (cmd == QLatin1String("station")) {
            if (!v || *v < 0 || *v > 255) {
                return error(QStringLiteral("station 0..255"));
            }
            drive_.setStation(static_cast<uint8_t>(*v));
            return QStringLiteral("station %1").arg(*v);
        }
        if (!v || *v < 50 || *v > 100'000'000) {
            return error(QStringLiteral("baud takes a rate in bit/s"));
        }
        drive_.setBaud(static_cast<int>(*v));
        return QStringLiteral("baud %1").arg(*v);
    }
    if (cmd == QLatin1String("pace")) {
        const QString s = arg(0).toLower();
        if (s != QLatin1String("on") && s != QLatin1String("off")) {
            return error(QStringLiteral("pace on|off"));
        }
        drive_.setPaceToBaud(s == QLatin1String("on"));
        return QStringLiteral("pace ") + s;
    }
    if (cmd == QLatin1String("counts") || cmd == QLatin1String("status")) {
        QStringList out;
        if (cmd == QLatin1String("status")) {
            out << QStringLiteral("device %1, station %2, baud %3")
                       .arg(drive_.devicePath())
                       .arg(drive_.station())
                       .arg(drive_.baud());
            for (const FaultRule& r : drive_.faults()) {
                out << QStringLiteral("fault %1 for %2, %3%4")
                           .arg(faultKindName(r.kind), commandName(r.command),
                                r.remaining == kForever
                                    ? QStringLiteral("always")
                                    : QStringLiteral("%1 left").arg(r.remaining),
                                r.param ? QStringLiteral(", %1").arg(r.param) : QString());
            }
            if (drive_.requestsLeft() >= 0) {
                out << QStringLiteral("answers %1 more requests").arg(drive_.requestsLeft());
            }
            out << QStringLiteral("ignored bytes (other baud rate): %1").arg(drive_.ignoredBytes());
        }
        const auto counts = drive_.requestCounts();
        out << QStringLiteral("requests: %1").arg(drive_.totalRequests());
        for (const auto& [command, n] : counts) {
            out << QStringLiteral("  %1: %2").arg(commandName(command)).arg(n);
        }
        return out.join(QLatin1Char('\n'));
    }
    if (cmd == QLatin1String("frames")) {
        int n = 10;
        if (!arg(0).isEmpty()) {
            const auto v = numberArg(arg(0));
            if (!v || *v < 1) {
                return error(QStringLiteral("frames [N]"));
            }
            n = static_cast<int>(std::min<int64_t>(*v, 1000));
        }
        const auto frames = drive_.frames();
        QStringList out;
        for (size_t i = frames.size() > static_cast<size_t>(n) ? frames.size() - n : 0;
             i < frames.size(); ++i) {
            out << QString::fromLatin1(frames[i].bytes.toHex(' ').toUpper()) +
                       (frames[i].forThisStation ? QString() : QStringLiteral("  (other station)"));
        }
        return out.join(QLatin1Char('\n'));
    }
    return error(QStringLiteral("unknown command \"%1\" (try help)").arg(cmd));
}

}  // namespace tevra::sim
