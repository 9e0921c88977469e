#pragma once

#include <QString>
#include <QStringList>

namespace tevra::sim {

class SimulatedDrive;

// The text commands of the simulated drive program (one per line on its standard input,
// or given with --exec on its command line): faults, alarms, memory, identity, signals
// and what the drive has seen. `help` lists them.
class SimCommands {
  public:
    explicit SimCommands(SimulatedDrive& drive) : drive_(drive) {}

    // Runs one command line; returns what to print (an error starts with "error:").
    // Blank lines and lines starting with '#' do nothing.
    QString execute(const QString& line);
    bool quitRequested() const { return quit_; }

    static QString helpText();

  private:
    SimulatedDrive& drive_;
    bool quit_ = false;
};

}  // namespace tevra::sim
