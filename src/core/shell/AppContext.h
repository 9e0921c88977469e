#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

#include "description/DriveDescription.h"
#include "ini/IniFile.h"
#include "link/DriveLink.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The program-wide state, owned by the application and passed explicitly to the windows,
// pages and services: folders and settings, the permission level, the one drive link,
// the model description and the records the main window keeps, and the capture flag
// every page and the scheduler test. Pages own the lists they read themselves.
struct AppContext {
    ProgramFolders folders;
    // Config.ini in the program folder; writers call config.save() after a batch.
    IniFile config;
    // Fixed at login, never set back during a run.
    bool AdministratorMode = false;

    std::unique_ptr<DriveLink> link;

    // The selected model's decoded description, as a line list.
    QStringList modelLines;
    // Records the main window reads after creating the pages.
    IoDefinition io;
    RegisterEntry outputStatusRegister;
    TNoImportPr noImport;

    // Set while a wave capture thread exists: no scheduler service, no probe, no page
    // switch, no transaction from the main thread.
    std::atomic<bool> CaptureRunning{false};
};

}  // namespace tevra
