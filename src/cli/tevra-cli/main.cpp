// tevra-cli: the drive link, parameters and identity from the command line.

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

#include "CliCommand.h"
#include "link/DriveLink.h"
#include "link/TermiosSerialPort.h"
#include "shell/ProgramFolders.h"
#include "text/Numbers.h"

namespace {

using namespace tevra;
using namespace tevra::cli;

// Messages go to the terminal; questions are answered Yes only with --yes.
class ConsoleDialogs : public UserDialogs {
  public:
    ConsoleDialogs(QTextStream& out, QTextStream& err, bool yes)
        : out_(out), err_(err), yes_(yes) {}
    void showMessage(const QString& text, const QString& caption, MessageIcon icon) override {
        QTextStream& s = icon == MessageIcon::Error || icon == MessageIcon::Warning ? err_ : out_;
        s << caption << ": " << text << Qt::endl;
    }
    bool askYesNo(const QString& text, const QString& caption, MessageIcon) override {
        out_ << caption << ": " << text << (yes_ ? " -> yes" : " -> no (use --yes to agree)")
             << Qt::endl;
        return yes_;
    }

  private:
    QTextStream& out_;
    QTextStream& err_;
    bool yes_;
};

void usage(QTextStream& s) {
    s << "usage: tevra-cli --port DEV [--baud B] [--station N] [options] COMMAND [ARGS]\n"
         "  --port DEV           serial device (/dev/ttyUSB0, ttyS0, or a terminal path)\n"
         "  --baud B             bit/s (default 115200)\n"
         "  --station N          station number 0..255 (default 1)\n"
         "  --timeouts I,M,C,WM,WC   read interval, read total multiplier and constant,\n"
         "                       write total multiplier and constant in ms (default 20 each)\n"
         "  --program-dir DIR    program folder (default: this program's folder)\n"
         "  --yes                answer Yes to every question\n"
         "Addresses and codes are hexadecimal, values decimal (or 0x-hexadecimal).\n"
         "Exit status: 0 done, 1 the drive failed, 2 bad command line, 3 port not opened.\n";
    for (const auto& [title, group] : CommandRegistry::instance().groups()) {
        QString name = title;
        // Titles may start with an ordering number.
        while (!name.isEmpty() && (name.at(0).isDigit() || name.at(0) == QLatin1Char(' '))) {
            name.remove(0, 1);
        }
        s << "\n" << name << ":\n";
        for (const CliCommand& c : group.commands) {
            const QString head = c.name + (c.arguments.isEmpty() ? QString() : " " + c.arguments);
            s << "  " << head.leftJustified(26) << " " << c.summary << "\n";
        }
    }
    s.flush();
}

bool parseTimeouts(const QString& text, SerialTimeouts& t) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 5) {
        return false;
    }
    int v[5];
    for (int i = 0; i < 5; ++i) {
        const auto n = parseInt32(parts.at(i).trimmed());
        if (!n || *n < 0) {
            return false;
        }
        v[i] = *n;
    }
    t = {v[0], v[1], v[2], v[3], v[4]};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();

    CliOptions options;
    options.programDir = QCoreApplication::applicationDirPath();
    QStringList positional;
    QMap<QString, QString> commandValues;  // a command's own "--name value" options
    QStringList commandFlags;              // and its flags
    // Whether some command declares --name as taking a value.
    auto takesValue = [](const QString& name) {
        for (const auto& [title, group] : CommandRegistry::instance().groups()) {
            for (const CliCommand& c : group.commands) {
                if (c.valueOptions.contains(name)) {
                    return true;
                }
            }
        }
        return false;
    };
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            usage(out);
            return kExitOk;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        const QString name = a.mid(2);
        auto takeValue = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size()) {
                err << a << " needs a value" << Qt::endl;
                return std::nullopt;
            }
            return args.at(++i);
        };
        if (name == QLatin1String("port") || name == QLatin1String("baud") ||
            name == QLatin1String("station") || name == QLatin1String("timeouts") ||
            name == QLatin1String("program-dir")) {
            const auto v = takeValue();
            if (!v) {
                return kExitUsage;
            }
            if (name == QLatin1String("port")) {
                options.port = *v;
            } else if (name == QLatin1String("program-dir")) {
                options.programDir = *v;
            } else if (name == QLatin1String("timeouts")) {
                if (!parseTimeouts(*v, options.timeouts)) {
                    err << "--timeouts takes five numbers of milliseconds: I,M,C,WM,WC" << Qt::endl;
                    return kExitUsage;
                }
            } else {
                const auto n = parseInt32(v->trimmed());
                const bool station = name == QLatin1String("station");
                if (!n || *n < (station ? 0 : 50) || *n > (station ? 255 : 100'000'000)) {
                    err << a << ": not a valid number: " << *v << Qt::endl;
                    return kExitUsage;
                }
                if (station) {
                    options.station = static_cast<uint8_t>(*n);
                } else {
                    options.baud = *n;
                }
            }
            continue;
        }
        if (name == QLatin1String("yes")) {
            options.flags << name;
            continue;
        }
        // A command's own option, checked against the command below.
        if (takesValue(name)) {
            const auto v = takeValue();
            if (!v) {
                return kExitUsage;
            }
            commandValues.insert(name, *v);
        } else {
            commandFlags << name;
        }
    }
    if (positional.isEmpty()) {
        usage(err);
        return kExitUsage;
    }
    const CliCommand* command = CommandRegistry::instance().find(positional.first());
    if (!command) {
        err << "unknown command: " << positional.first() << Qt::endl;
        usage(err);
        return kExitUsage;
    }
    for (const QString& name : commandFlags) {
        if (!command->flagOptions.contains(name)) {
            err << "unknown option --" << name << " for " << command->name << Qt::endl;
            return kExitUsage;
        }
        options.flags << name;
    }
    for (auto it = commandValues.cbegin(); it != commandValues.cend(); ++it) {
        if (!command->valueOptions.contains(it.key())) {
            err << "unknown option --" << it.key() << " for " << command->name << Qt::endl;
            return kExitUsage;
        }
        options.values.insert(it.key(), it.value());
    }
    const QStringList commandArgs = positional.mid(1);
    if (commandArgs.size() < command->minArguments || commandArgs.size() > command->maxArguments) {
        err << "usage: tevra-cli [options] " << command->name << " " << command->arguments
            << Qt::endl;
        return kExitUsage;
    }

    ConsoleDialogs dialogs(out, err, options.flag(QStringLiteral("yes")));
    CliContext ctx{nullptr, options, ProgramFolders(options.programDir, QDir::tempPath()),
                   out,     err,     dialogs};
    std::unique_ptr<DriveLink> link;
    if (command->needsDrive) {
        if (options.port.isEmpty()) {
            err << "--port is required for " << command->name << Qt::endl;
            return kExitUsage;
        }
        auto port = std::make_unique<TermiosSerialPort>();
        port->setTimeouts(options.timeouts);
        QString error;
        if (!port->open(options.port, options.baud, &error)) {
            err << error << Qt::endl;
            return kExitNoPort;
        }
        link = std::make_unique<DriveLink>(std::move(port));
        link->setStation(options.station);
        link->setConnected(true);
        ctx.link = link.get();
    }
    const int result = command->run(ctx, commandArgs);
    out.flush();
    err.flush();
    return result;
}
