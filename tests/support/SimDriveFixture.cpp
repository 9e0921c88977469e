#include "SimDriveFixture.h"

#include "link/TermiosSerialPort.h"

namespace tevra::test {

SimDrive::SimDrive(const SimDriveOptions& options) : options_(options) {
    sim::SimulatedDriveConfig config = options.drive;
    config.station = options.station;
    config.baud = options.baud;
    drive_ = std::make_unique<sim::SimulatedDrive>(config);
    QString error;
    if (!drive_->start(&error)) {
        ADD_FAILURE() << "simulated drive did not start: " << error.toStdString();
        return;
    }
    if (options.openLink) {
        link_ = openLink();
        if (link_) {
            link_->setConnected(options.connected);
        }
    }
}

SimDrive::~SimDrive() {
    link_.reset();
    drive_->stop();
}

DriveLink& SimDrive::link() {
    if (!link_) {
        ADD_FAILURE() << "no link on the simulated drive";
        link_ = openLink();
    }
    return *link_;
}

std::unique_ptr<DriveLink> SimDrive::takeLink() {
    return std::move(link_);
}

std::unique_ptr<DriveLink> SimDrive::openLink(int baud, uint8_t station) const {
    auto port = std::make_unique<TermiosSerialPort>();
    port->setTimeouts(options_.timeouts);
    QString error;
    if (!port->open(drive_->devicePath(), baud > 0 ? baud : options_.baud, &error)) {
        ADD_FAILURE() << "cannot open the simulated drive's terminal: " << error.toStdString();
        return nullptr;
    }
    auto link = std::make_unique<DriveLink>(std::move(port));
    link->setStation(station != 0 ? station : options_.station);
    return link;
}

void SimDriveTest::SetUp() {
    sim_ = std::make_unique<SimDrive>(options());
}

void SimDriveTest::TearDown() {
    sim_.reset();
}

}  // namespace tevra::test
