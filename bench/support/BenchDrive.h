#pragma once

// What the benchmarks share: a simulated drive with a link on its terminal, and the
// four-channel capture set-up of the oscilloscope benchmarks.

#include <array>
#include <cstdint>
#include <memory>

#include "SimulatedDrive.h"
#include "debug/RegisterDirectory.h"
#include "link/DriveLink.h"
#include "scope/WaveModel.h"
#include "shell/UserDialogs.h"

namespace tevra::bench {

// The base of the drive the benchmarks talk to: station 1 at 115200 bit/s.
sim::SimulatedDriveConfig DriveConfig(bool pacedToBaud = false);

// Starts a simulated drive. A benchmark cannot go on without it: a failure ends the
// program with the reason.
std::unique_ptr<sim::SimulatedDrive> StartDrive(const sim::SimulatedDriveConfig& config);

// A started drive and a connected link on its terminal at the drive's rate and station.
struct BenchDrive {
    explicit BenchDrive(const sim::SimulatedDriveConfig& config = DriveConfig());
    ~BenchDrive();
    std::unique_ptr<sim::SimulatedDrive> drive;
    std::unique_ptr<DriveLink> link;
};

// The application object the capture's hand-overs need; made once.
void EnsureCoreApplication();

// The registers the capture benchmarks record, one per channel.
inline constexpr std::array<uint16_t, 4> kCaptureSlots = {0x0100, 0x0200, 0x0300, 0x0400};

// A register directory naming the four slots "a" .. "d".
RegisterDirectory CaptureDirectory();

// A wave model with the four channels on those sources, at `screenCount` samples a column.
std::unique_ptr<WaveModel> CaptureModel(int screenCount);

// Message boxes that show nothing and answer No.
class QuietDialogs : public UserDialogs {
  public:
    void showMessage(const QString&, const QString&, MessageIcon) override {}
    bool askYesNo(const QString&, const QString&, MessageIcon) override { return false; }
};

}  // namespace tevra::bench
