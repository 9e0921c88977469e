#include "CliCommand.h"

#include "text/Numbers.h"

namespace tevra::cli {

CommandRegistry& CommandRegistry::instance() {
    static CommandRegistry registry;
    return registry;
}

void CommandRegistry::beginGroup(const QString& title) {
    current_ = title;
}

void CommandRegistry::add(CliCommand command) {
    Group& g = groups_[current_];
    g.title = current_;
    g.commands.push_back(std::move(command));
}

const CliCommand* CommandRegistry::find(const QString& name) const {
    for (const auto& [title, g] : groups_) {
        for (const CliCommand& c : g.commands) {
            if (c.name == name) {
                return &c;
            }
        }
    }
    return nullptr;
}

CommandGroup::CommandGroup(const QString& title, void (*registerCommands)(CommandRegistry&)) {
    CommandRegistry& r = CommandRegistry::instance();
    r.beginGroup(title);
    registerCommands(r);
}

std::optional<uint32_t> hexArgument(CliContext& ctx, const QString& text, uint32_t max,
                                    const QString& what) {
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        t = t.mid(2);
    }
    const auto v = parseHex32(t);
    if (!v || *v > max) {
        ctx.err << QStringLiteral("%1 must be hexadecimal, at most %2: %3")
                       .arg(what, QString::number(max, 16).toUpper(), text)
                << Qt::endl;
        return std::nullopt;
    }
    return v;
}

std::optional<int64_t> valueArgument(CliContext& ctx, const QString& text, int64_t min, int64_t max,
                                     const QString& what) {
    const QString t = text.trimmed();
    std::optional<int64_t> v;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        if (auto h = parseHex64(t.mid(2)); h && *h <= static_cast<uint64_t>(INT64_MAX)) {
            v = static_cast<int64_t>(*h);
        }
    } else {
        v = parseInt64(t);
    }
    if (!v || *v < min || *v > max) {
        ctx.err << QStringLiteral("%1 must be a number from %2 to %3: %4")
                       .arg(what)
                       .arg(min)
                       .arg(max)
                       .arg(text)
                << Qt::endl;
        return std::nullopt;
    }
    return v;
}

int transactionFailed(CliContext& ctx, const QString& what) {
    ctx.err << QStringLiteral("%1 failed (ErrorCount %2)")
                   .arg(what)
                   .arg(ctx.link ? ctx.link->protocol().ErrorCount : 0)
            << Qt::endl;
    return kExitFailed;
}

}  // namespace tevra::cli
