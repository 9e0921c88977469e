#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tevra {

// The simulated drive of the demo mode: the program tevra-drive-sim from the program
// folder, started beside the tool on a pseudo-terminal reachable through a symbolic link in
// a temporary folder of its own. Stopped (and the folder removed) when this object goes.
class DemoDrive {
  public:
    DemoDrive() = default;
    ~DemoDrive();
    DemoDrive(const DemoDrive&) = delete;
    DemoDrive& operator=(const DemoDrive&) = delete;

    // Starts the drive at the station and baud rate and waits (up to timeoutMs) until its
    // terminal is there. On failure `error` says why.
    bool start(const QString& programFolder, int station, int baud, QString* error,
               int timeoutMs = 10000);
    void stop();
    // The drive program to run instead of the one in the program folder.
    void setProgram(const QString& path) { program_ = path; }
    // Further arguments for the drive program ("--no-pace", "--silence" ...).
    void setExtraArguments(const QStringList& arguments) { extraArguments_ = arguments; }

    bool running() const;
    // The path the tool opens: the symbolic link to the drive's terminal.
    const QString& devicePath() const { return devicePath_; }
    // Sends a command line to the drive's standard input ("silence on", "stop-after 5" ...).
    void sendCommand(const QString& command);
    QProcess* process() const { return process_.get(); }

    // The drive program beside the tool.
    static QString programPath(const QString& programFolder);

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> process_;
    QString devicePath_;
    QStringList extraArguments_;
    QString program_;
};

}  // namespace tevra
