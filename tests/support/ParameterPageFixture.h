#pragma once

// Used by the window and end-to-end tests of the parameter page (they link tevra_ui).

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>

#include <memory>

#include "DriveModel.h"
#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "WidgetApp.h"
#include "description/ModelList.h"
#include "parameters/TframParameter.h"
#include "shell/AppContext.h"
#include "shell/PollingScheduler.h"

namespace tevra::test {

// A program folder with the demo description, a simulated drive set up as the selected
// demo model, a context whose link is connected to it, a scheduler, and the parameter page
// with the connection page's identity labels in its top panel.
class ParameterPageFixture {
  public:
    explicit ParameterPageFixture(bool administrator = false) {
        widgetApp();
        const QDir program(programDir());
        QDir(dir.path()).mkpath(QStringLiteral("System"));
        QDir(dir.path()).mkpath(QStringLiteral("Source"));
        dir.write(QStringLiteral("Config.ini"), "[SystemSet]\r\n");
        for (const QString& name :
             {QStringLiteral("System/SysConfig.ddt"), QStringLiteral("System/Encoder.ddt"),
              QStringLiteral("DriType.dat")}) {
            QFile::copy(program.filePath(name), dir.file(name));
        }
        for (const QString& name :
             QDir(program.filePath(QStringLiteral("Source"))).entryList(QDir::Files)) {
            QFile::copy(program.filePath(QStringLiteral("Source/") + name),
                        dir.file(QStringLiteral("Source/") + name));
        }
        ctx.folders = ProgramFolders(dir.path(), dir.path());
        ctx.config = IniFile(ctx.folders.configIniPath());
        ctx.AdministratorMode = administrator;
        ctx.modelLines = LoadSelectedModelDescription(ctx.folders, ModelList(ctx.folders)).lines;
        ctx.dialogs = &dialogs;

        QString error;
        model = sim::loadDriveModel(ctx.folders, QString(), &error);
        EXPECT_TRUE(model.has_value()) << error.toStdString();
        if (model) {
            sim::applyDriveModel(sim.drive(), *model);
            sim.drive().freezeLiveSampleIndex(0);
            ctx.io.X0_4 = 0x80;
            ctx.io.X5_9 = 0x81;
            ctx.io.X10_14 = 0x82;
            ctx.io.Y0_4 = 0x83;
            ctx.io.Y5_9 = 0x84;
            ctx.io.XRegNumber = model->registers.value(QStringLiteral("uInputStus"), 0xFFFF);
            ctx.io.YRegNumber = model->registers.value(QStringLiteral("uOutputStus"), 0xFFFF);
            ctx.outputStatusRegister.Number =
                model->registers.value(QStringLiteral("uDrvOutStus"), 0);
        }
        ctx.link = sim.takeLink();
        scheduler = std::make_unique<PollingScheduler>(ctx);
        scheduler->ScanTime = 0;
        ctx.scheduler = scheduler.get();
        ctx.MainReady = true;

        page = std::make_unique<TframParameter>(ctx, nullptr);
        page->resize(1000, 700);
        for (uint8_t code = 3; code <= 7; ++code) {
            static const char* const kLabels[] = {"DriTypeLab", "DriUseIDLab", "SoftVerLab",
                                                  "SoftDateLab", "SoftNoteLab"};
            auto* label = new QLabel(sim.drive().infoString(code), page->pnlConnect());
            label->setObjectName(QString::fromLatin1(kLabels[code - 3]));
            page->pnlConnect()->layout()->addWidget(label);
        }
    }
    ~ParameterPageFixture() {
        page.reset();
        ctx.scheduler = nullptr;
    }

    // Connects as the connection page does: ShowLinkState, then the connected listeners.
    void connectLink() {
        ctx.link->setConnected(true);
        for (const auto& l : ctx.linkStateListeners) {
            l(true);
        }
        for (const auto& l : ctx.connectedListeners) {
            l();
        }
    }

    sim::SimulatedDrive& drive() { return sim.drive(); }

    ScratchDir dir;
    SimDrive sim{[] {
        SimDriveOptions o;
        o.connected = false;
        return o;
    }()};
    std::optional<sim::DriveModel> model;
    AppContext ctx;
    RecordingDialogs dialogs;
    std::unique_ptr<PollingScheduler> scheduler;
    std::unique_ptr<TframParameter> page;
};

template <typename T>
T* child(QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace tevra::test
