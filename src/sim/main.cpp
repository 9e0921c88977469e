// tevra-drive-sim: a simulated servo drive on a pseudo-terminal.

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <string>

#include "DemoSignals.h"
#include "DriveModel.h"
#include "SimCommands.h"
#include "SimulatedDrive.h"
#include "shell/ProgramFolders.h"
#include "text/Numbers.h"

namespace {

using tevra::sim::SimCommands;
using tevra::sim::SimulatedDrive;
using tevra::sim::SimulatedDriveConfig;

void print(const QString& text) {
    if (!text.isEmpty()) {
        std::fputs(text.toLocal8Bit().constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

void printError(const QString& text) {
    std::fputs(("tevra-drive-sim: " + text + "\n").toLocal8Bit().constData(), stderr);
}

const char* kUsage =
    "usage: tevra-drive-sim [options]\n"
    "  --link PATH          also make PATH a symbolic link to the drive's terminal\n"
    "  --station N          station number (default 1)\n"
    "  --baud B             the only baud rate the drive answers at (default 115200)\n"
    "  --program-dir DIR    program folder with the description (default: this program's)\n"
    "  --model NAME         model of DriType.dat (default: the selected one)\n"
    "  --no-description     do not read a description; built-in defaults\n"
    "  --pace | --no-pace   send at the speed of the line (default) or as fast as possible\n"
    "  --sample-period-us U stream one sample per U microseconds at most\n"
    "  --exec COMMAND       run a command at start (repeatable; see --help-commands)\n"
    "  --silence, --corrupt N, --busy N, --delay MS, --stop-after N, --drop-bytes N,\n"
    "  --halt-stream N      faults at start, as the commands of the same name\n"
    "  --quiet              print only the terminal's name and errors\n"
    "  --help-commands      list the commands read from standard input\n"
    "The drive prints \"ready DEVICE\" when it answers, then reads commands from standard\n"
    "input until quit, end of input is ignored; SIGINT and SIGTERM stop it.\n";

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();

    SimulatedDriveConfig config;
    config.paceToBaud = true;
    QString programDir = QCoreApplication::applicationDirPath();
    QString model;
    bool useDescription = true;
    bool quiet = false;
    QStringList startCommands;

    for (int i = 1; i < args.size(); ++i) {
        const QString a = args.at(i);
        auto value = [&]() -> QString {
            if (i + 1 >= args.size()) {
                printError(a + " needs a value");
                std::exit(2);
            }
            return args.at(++i);
        };
        auto number = [&](int lo, int hi) -> int {
            const QString v = value();
            const auto n = tevra::parseInt64(v);
            if (!n || *n < lo || *n > hi) {
                printError(
                    QStringLiteral("%1: not a number in %2..%3: %4").arg(a).arg(lo).arg(hi).arg(v));
                std::exit(2);
            }
            return static_cast<int>(*n);
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--help-commands") {
            print(SimCommands::helpText());
            return 0;
        } else if (a == "--link") {
            config.linkPath = value();
        } else if (a == "--station") {
            config.station = static_cast<uint8_t>(number(0, 255));
        } else if (a == "--baud") {
            config.baud = number(50, 100'000'000);
        } else if (a == "--program-dir") {
            programDir = value();
        } else if (a == "--model") {
            model = value();
        } else if (a == "--no-description") {
            useDescription = false;
        } else if (a == "--pace") {
            config.paceToBaud = true;
        } else if (a == "--no-pace") {
            config.paceToBaud = false;
        } else if (a == "--sample-period-us") {
            const int us = number(1, 1'000'000);
            config.samplePeriodNs = static_cast<int64_t>(us) * 1000;
            config.streamAtSamplePeriod = true;
        } else if (a == "--exec") {
            startCommands << value();
        } else if (a == "--silence") {
            startCommands << QStringLiteral("silence on");
        } else if (a == "--corrupt" || a == "--busy" || a == "--delay" || a == "--stop-after" ||
                   a == "--drop-bytes" || a == "--halt-stream") {
            startCommands << a.mid(2) + QLatin1Char(' ') + value();
        } else if (a == "--quiet") {
            quiet = true;
        } else {
            printError("unknown option " + a);
            std::fputs(kUsage, stderr);
            return 2;
        }
    }

    SimulatedDrive drive(config);
    bool described = false;
    if (useDescription) {
        QString error;
        const tevra::ProgramFolders folders(programDir, QDir::tempPath());
        if (auto m = tevra::sim::loadDriveModel(folders, model, &error)) {
            tevra::sim::applyDriveModel(drive, *m);
            described = true;
            for (const QString& w : m->warnings) {
                printError(w);
            }
            if (!quiet) {
                print(QStringLiteral("model %1: %2 parameters, %3 registers")
                          .arg(m->name)
                          .arg(m->parameters.size())
                          .arg(m->registers.size()));
            }
        } else {
            printError(error + " (continuing with built-in defaults)");
        }
    }
    if (!described) {
        tevra::sim::bindDemoSignals(drive, {});
    }

    SimCommands commands(drive);
    for (const QString& c : startCommands) {
        const QString out = commands.execute(c);
        if (out.startsWith(QLatin1String("error:"))) {
            printError(c + ": " + out);
            return 2;
        }
        if (!quiet) {
            print(out);
        }
    }

    // SIGINT and SIGTERM arrive through a descriptor, so every exit removes the link.
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGINT);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &mask, nullptr);
    const int sigFd = signalfd(-1, &mask, SFD_CLOEXEC);
    signal(SIGPIPE, SIG_IGN);

    QString error;
    if (!drive.start(&error)) {
        printError(error);
        return 1;
    }
    print(QStringLiteral("ready ") + drive.devicePath());
    if (!quiet && drive.devicePath() != drive.terminalPath()) {
        print(QStringLiteral("terminal ") + drive.terminalPath());
    }

    bool stdinOpen = true;
    std::string pending;
    while (!commands.quitRequested()) {
        pollfd fds[2] = {{sigFd, POLLIN, 0}, {stdinOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            continue;
        }
        if (fds[0].revents & POLLIN) {
            break;
        }
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char buf[1024];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) {
                stdinOpen = false;  // keep answering until a signal
                continue;
            }
            pending.append(buf, static_cast<size_t>(n));
            size_t eol = 0;
            while ((eol = pending.find('\n')) != std::string::npos) {
                const QString line = QString::fromLocal8Bit(pending.substr(0, eol));
                pending.erase(0, eol + 1);
                print(commands.execute(line));
                if (commands.quitRequested()) {
                    break;
                }
            }
        }
    }
    drive.stop();
    return 0;
}
