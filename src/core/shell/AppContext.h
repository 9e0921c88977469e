#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "description/DriveDescription.h"
#include "ini/IniFile.h"
#include "link/DriveLink.h"
#include "shell/ProgramFolders.h"

namespace tevra {

class PollingScheduler;
class UserDialogs;

// Settings of the Options dialog that other parts of the program read. The two link error
// limits live in DriveLink (commErrMax, waveCommErrMax); ScanTime lives in the scheduler.
struct ShellOptions {
    // DataAdaptMode: "0" automatic, "1" manual wave data-type setting.
    bool dataTypeAutomatic = false;
    // edtCalcimineFrqncy, wave refreshes per second (1..1000).
    int waveRefreshFrequency = 10;
    // Timer2 interval in ms, derived from the refresh frequency.
    int Timer2Interval = 100;
};

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
    // The login window confirmed (with either level).
    bool LoginConfirmed = false;
    // Set for the run by the developer-tool permission dialog.
    bool DeveloperToolPermission = false;
    // All windows exist and the late settings ran; the login window stops its timer.
    bool MainReady = false;

    std::unique_ptr<DriveLink> link;
    // The link layer's providers: a separate port object (the connection page's port test
    // opens one of its own) and the listing of the system's serial devices.
    std::function<std::unique_ptr<SerialPort>()> newSerialPort;
    std::function<QStringList()> listSerialPorts;

    // The selected model's decoded description, as a line list.
    QStringList modelLines;
    // Records the main window reads after creating the pages.
    IoDefinition io;
    RegisterEntry outputStatusRegister;
    TNoImportPr noImport;

    // Set while a wave capture thread exists: no scheduler service, no probe, no page
    // switch, no transaction from the main thread.
    std::atomic<bool> CaptureRunning{false};

    ShellOptions options;

    // Message boxes and questions (set by the application; never null once windows exist).
    UserDialogs* dialogs = nullptr;
    // The error box of ReadWordReported (the same windows as `dialogs`).
    ReadFailureReporter* readFailureReporter = nullptr;
    // The polling scheduler of the main window; pages register their services with it in
    // their constructors (see PollingScheduler.h for the order numbers).
    PollingScheduler* scheduler = nullptr;

    // Run by ShowLinkState after the shell updated its own controls, with the new state:
    // pages set their reload flags and recolour their grids here.
    std::vector<std::function<void(bool connected)>> linkStateListeners;
    // Run after a connection succeeded and the drive identity was read: pages request
    // their first reads here (ParameterRefreshRequested, the encoder window's read flag).
    std::vector<std::function<void()>> connectedListeners;
    // Run when the main window closes (after the exit question), before Config.ini is
    // saved: pages and windows write their settings into `config` here.
    std::vector<std::function<void()>> settingsSavers;
};

}  // namespace tevra
