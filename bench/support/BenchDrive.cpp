#include "BenchDrive.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

#include "link/TermiosSerialPort.h"

namespace tevra::bench {

sim::SimulatedDriveConfig DriveConfig(bool pacedToBaud) {
    sim::SimulatedDriveConfig config;
    config.station = 1;
    config.baud = 115200;
    config.paceToBaud = pacedToBaud;
    return config;
}

std::unique_ptr<sim::SimulatedDrive> StartDrive(const sim::SimulatedDriveConfig& config) {
    auto drive = std::make_unique<sim::SimulatedDrive>(config);
    QString error;
    if (!drive->start(&error)) {
        std::fprintf(stderr, "simulated drive: %s\n", qPrintable(error));
        std::abort();
    }
    return drive;
}

BenchDrive::BenchDrive(const sim::SimulatedDriveConfig& config) : drive(StartDrive(config)) {
    auto port = std::make_unique<TermiosSerialPort>();
    QString error;
    if (!port->open(drive->devicePath(), config.baud, &error)) {
        std::fprintf(stderr, "terminal: %s\n", qPrintable(error));
        std::abort();
    }
    link = std::make_unique<DriveLink>(std::move(port));
    link->setStation(config.station);
    link->setConnected(true);
}

BenchDrive::~BenchDrive() {
    link.reset();
    drive->stop();
}

void EnsureCoreApplication() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "tevra_bench";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
}

RegisterDirectory CaptureDirectory() {
    return RegisterDirectory({{kCaptureSlots[0], QStringLiteral("a"), 0},
                              {kCaptureSlots[1], QStringLiteral("b"), 0},
                              {kCaptureSlots[2], QStringLiteral("c"), 0},
                              {kCaptureSlots[3], QStringLiteral("d"), 0}});
}

std::unique_ptr<WaveModel> CaptureModel(int screenCount) {
    auto model = std::make_unique<WaveModel>();
    model->SourceItems = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                          QStringLiteral("d")};
    for (int ch = 0; ch < 4; ++ch) {
        model->Channels[ch].SourceIndex = ch;
        model->Channels[ch].ZeroLineBackup = 200;
        model->Channels[ch].switchOn();
    }
    model->ScreenCount = screenCount;
    return model;
}

}  // namespace tevra::bench
