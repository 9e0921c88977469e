#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "SimulatedDrive.h"
#include "link/DriveLink.h"
#include "link/SerialPort.h"

namespace tevra::test {

struct SimDriveOptions {
    uint8_t station = 1;
    int baud = 115200;
    // The drive's own settings (its station and baud are taken from above).
    sim::SimulatedDriveConfig drive;
    SerialTimeouts timeouts;
    // Open a DriveLink on the drive at the same station and baud.
    bool openLink = true;
    // Mark the link connected, as a successful connection would.
    bool connected = true;
};

// A simulated drive on a pseudo-terminal, running in this process, with a DriveLink on a
// real serial port opened on its terminal. The drive stays reachable for fault injection
// and for checking what it received.
class SimDrive {
  public:
    explicit SimDrive(const SimDriveOptions& options = {});
    ~SimDrive();
    SimDrive(const SimDrive&) = delete;
    SimDrive& operator=(const SimDrive&) = delete;

    sim::SimulatedDrive& drive() { return *drive_; }
    // The link opened at construction (fails the test when there is none).
    DriveLink& link();
    // Hands the link over (e.g. to an AppContext); link() is unusable afterwards.
    std::unique_ptr<DriveLink> takeLink();
    // A new link on the drive's terminal at `baud` (the drive's own when 0). A port is
    // opened for exclusive use: for a user other than root this fails while another link
    // (the fixture's own included) has the terminal open.
    std::unique_ptr<DriveLink> openLink(int baud = 0, uint8_t station = 0) const;
    QString devicePath() const { return drive_->devicePath(); }
    const SimDriveOptions& options() const { return options_; }

  private:
    SimDriveOptions options_;
    std::unique_ptr<sim::SimulatedDrive> drive_;
    std::unique_ptr<DriveLink> link_;
};

// A gtest fixture with one SimDrive per test. Override options() to change the set-up.
class SimDriveTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    virtual SimDriveOptions options() const { return {}; }

    SimDrive& sim() { return *sim_; }
    sim::SimulatedDrive& drive() { return sim_->drive(); }
    DriveLink& link() { return sim_->link(); }

  private:
    std::unique_ptr<SimDrive> sim_;
};

}  // namespace tevra::test
