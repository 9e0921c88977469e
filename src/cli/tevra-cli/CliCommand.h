#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "link/DriveLink.h"
#include "shell/ProgramFolders.h"
#include "shell/UserDialogs.h"

namespace tevra::cli {

// Exit codes of tevra-cli.
enum ExitCode : int {
    kExitOk = 0,
    kExitFailed = 1,  // a transaction or an operation failed
    kExitUsage = 2,   // bad command line
    kExitNoPort = 3,  // the port could not be opened
};

// The options of one run: the link settings, the program folder and the options the
// chosen command declared (by name without "--").
struct CliOptions {
    QString port;
    int baud = 115200;
    uint8_t station = 1;
    SerialTimeouts timeouts;
    QString programDir;
    QMap<QString, QString> values;  // value options: name -> value
    QStringList flags;              // flag options given

    bool flag(const QString& name) const { return flags.contains(name); }
    QString value(const QString& name, const QString& fallback = QString()) const {
        return values.value(name, fallback);
    }
};

// What a command gets: the open link at the chosen station (marked connected), the
// options, the program folder, output streams, and dialogs that print messages and answer
// questions Yes only when --yes was given.
struct CliContext {
    DriveLink* link = nullptr;  // null for commands that need no drive
    const CliOptions& options;
    ProgramFolders folders;
    QTextStream& out;
    QTextStream& err;
    UserDialogs& dialogs;
};

struct CliCommand {
    QString name;       // "read"
    QString arguments;  // "ADDR", shown in the usage
    QString summary;    // one line for the usage
    int minArguments = 0;
    int maxArguments = 0;
    bool needsDrive = true;
    QStringList flagOptions;   // e.g. "yes"
    QStringList valueOptions;  // e.g. "note"
    std::function<int(CliContext&, const QStringList& arguments)> run;
};

// The one list of commands. Each group of commands (a source file of its own) registers
// itself with a CommandGroup object:
//
//   void registerParameterCommands(CommandRegistry& r) { r.add({...}); }
//   const CommandGroup parameterGroup(QStringLiteral("Parameters"), registerParameterCommands);
//
// The usage lists the groups by title, each with its commands in registration order.
class CommandRegistry {
  public:
    static CommandRegistry& instance();
    // Commands added from now on belong to the group of this title.
    void beginGroup(const QString& title);
    void add(CliCommand command);
    const CliCommand* find(const QString& name) const;
    struct Group {
        QString title;
        std::vector<CliCommand> commands;
    };
    const std::map<QString, Group>& groups() const { return groups_; }

  private:
    std::map<QString, Group> groups_;
    QString current_ = QStringLiteral("Commands");
};

struct CommandGroup {
    CommandGroup(const QString& title, void (*registerCommands)(CommandRegistry&));
};

// Shared argument readers: an address or code in hexadecimal (with or without "0x"), a
// value in decimal or "0x" hexadecimal, checked against a range. They print the problem
// to ctx.err and return nothing when the text does not fit.
std::optional<uint32_t> hexArgument(CliContext& ctx, const QString& text, uint32_t max,
                                    const QString& what);
std::optional<int64_t> valueArgument(CliContext& ctx, const QString& text, int64_t min, int64_t max,
                                     const QString& what);
// Prints why a transaction failed ("... failed (ErrorCount 4)") and returns kExitFailed.
int transactionFailed(CliContext& ctx, const QString& what);

}  // namespace tevra::cli
