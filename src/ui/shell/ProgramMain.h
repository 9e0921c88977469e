#pragma once

#include <QString>

#include <memory>

namespace tevra {

struct AppContext;
class StartupProgress;
class TfrmMain;

// How the program was started (command line of the executable).
struct LaunchOptions {
    // The program folder; empty: the executable's folder.
    QString programFolder;
    // Start the simulated drive beside the tool, log in and connect to it.
    bool demo = false;
    // With demo: log in as administrator instead of user.
    bool administrator = false;
    // Save screenshots of the login window, the main window and the connection page into
    // this folder, then exit.
    QString screenshotDir;
    // --help: print the usage and exit.
    bool help = false;

    // Reads --demo, --admin, --screenshot DIR, --program-dir DIR and --help; false (with a usage
    // text in `error`) for anything else.
    bool parse(const QStringList& arguments, QString* error);
    static QString usage();
};

// Fills the link providers of the context: the drive link on a termios port, a fresh port
// for port tests and the listing of the system's serial devices.
void SetUpDriveLink(AppContext& ctx);

// Creates the main window (its pages) and the shell's tool windows, in start-up order,
// reporting progress to the login window.
std::unique_ptr<TfrmMain> CreateWindows(AppContext& ctx, StartupProgress* progress);

// The program: start-up check, login, windows, message loop, exit cleanup. Returns the
// process exit code.
int RunProgram(const LaunchOptions& options);

}  // namespace tevra
