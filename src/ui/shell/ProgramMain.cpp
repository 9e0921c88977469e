#include "shell/ProgramMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

#include "description/ProtectedTextFile.h"
#include "link/SerialDevices.h"
#include "link/TermiosSerialPort.h"
#include "shell/AppContext.h"
#include "shell/BaudTable.h"
#include "shell/ConnectionController.h"
#include "shell/DemoDrive.h"
#include "shell/LoginLogic.h"
#include "shell/PollingScheduler.h"
#include "shell/QtUserDialogs.h"
#include "shell/StartupCheck.h"
#include "shell/TStartupIM.h"
#include "shell/TframConnect.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmSoftErr.h"
#include "shell/TipMessages.h"

namespace tevra {
namespace {

void waitFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool saveShot(QWidget* widget, const QString& dir, const QString& name) {
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name);
    const bool ok = widget->grab().save(path, "PNG");
    if (!ok) {
        qWarning("cannot save %s", qPrintable(path));
    }
    return ok;
}

// SIGINT and SIGTERM end the program through its event loops, so that the exit cleanup
// (plain copies, the demo drive) still runs.
int signalPipe[2] = {-1, -1};

void onQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void quitOnSignals() {
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
        QCoreApplication::exit(130);
    });
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

bool LaunchOptions::parse(const QStringList& arguments, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) {
            *error = why + u'\n' + usage();
        }
        return false;
    };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--demo") {
            demo = true;
        } else if (a == u"--admin") {
            administrator = true;
        } else if (a == u"--screenshot" || a == u"--program-dir") {
            if (i + 1 >= arguments.size()) {
                return fail(QStringLiteral("%1 needs a folder").arg(a));
            }
            (a == u"--screenshot" ? screenshotDir : programFolder) = arguments[++i];
        } else if (a == u"--help" || a == u"-h") {
            help = true;
        } else {
            return fail(QStringLiteral("unknown argument: %1").arg(a));
        }
    }
    return true;
}

QString LaunchOptions::usage() {
    return QStringLiteral(
        "usage: tevra [--demo [--admin]] [--screenshot DIR] [--program-dir DIR] [--help]\n"
        "  --demo            start the simulated drive beside the tool, log in and connect\n"
        "  --admin           with --demo: log in as administrator\n"
        "  --screenshot DIR  save PNG pictures of the login window, the main window and the\n"
        "                    connection page into DIR, then exit\n"
        "  --program-dir DIR use DIR as the program folder instead of the executable's");
}

void SetUpDriveLink(AppContext& ctx) {
    ctx.link = std::make_unique<DriveLink>(std::make_unique<TermiosSerialPort>());
    ctx.newSerialPort = [] { return std::make_unique<TermiosSerialPort>(); };
    ctx.listSerialPorts = [] { return listSerialDevices(); };
}

std::unique_ptr<TfrmMain> CreateWindows(AppContext& ctx, StartupProgress* progress) {
    auto main = std::make_unique<TfrmMain>(ctx, progress);
    if (progress) {
        progress->setProgressText(QStringLiteral(u"系统初始化.."));
    }
    main->CreateToolWindows();
    if (progress) {
        progress->appendProgressDot();
        progress->setProgressText(QStringLiteral(u"系统初始化.."));
    }
    return main;
}

int RunProgram(const LaunchOptions& options) {
    quitOnSignals();
    AppContext ctx;
    ctx.folders = options.programFolder.isEmpty()
                      ? ProgramFolders::forApplication()
                      : ProgramFolders(options.programFolder, QDir::tempPath());
    QtUserDialogs dialogs;
    const bool unattended = !options.screenshotDir.isEmpty();
    dialogs.setNonBlocking(unattended);
    ctx.dialogs = &dialogs;
    ctx.readFailureReporter = &dialogs;
    SetUpDriveLink(ctx);

    // Start-up check: the plain copies of the system files and Config.ini.
    QStringList reasons;
    const StartupCheckResult check =
        RunStartupCheck(ctx.folders, [&](const QString& relative, const QString& plain) {
            const DescriptionStatus s = ExtractProtectedFile(ctx.folders, relative, plain);
            if (!s.ok() && s.error().kind != DescriptionErrorKind::FileMissing) {
                reasons << s.error().toString();
            }
            return s.ok();
        });
    ctx.config = IniFile(ctx.folders.configIniPath());
    if (!check.ok()) {
        TfrmSoftErr err;
        QStringList lines = check.errorLines;
        lines.insert(lines.size() - 1, reasons.join(u'\n'));
        lines.removeAll(QString());
        for (const QString& line : lines) {
            err.addLine(line);
        }
        if (unattended) {
            err.show();
            saveShot(&err, options.screenshotDir, QStringLiteral("system-error.png"));
        } else {
            err.exec();
        }
    }

    // The demo drive runs before the login so that it is ready when the windows are.
    DemoDrive demo;
    if (options.demo && check.ok()) {
        const int station = ReadStationSetting(ctx.config);
        int baudIndex = ReadComSet(ctx.config).Baud;
        if (!baud::ChoiceList().contains(baud::Text(baudIndex))) {
            baudIndex = baud::k115200;
        }
        QString error;
        // The drive program sits beside the tool; it reads the description of the program
        // folder in use.
        demo.setProgram(DemoDrive::programPath(QCoreApplication::applicationDirPath()));
        if (!demo.start(ctx.folders.programFolder(), station, baud::Rate(baudIndex), &error)) {
            dialogs.showMessage(error, caption::error(), MessageIcon::Error);
        }
    }

    auto login = std::make_unique<TStartupIM>(ctx);
    if (!check.ok()) {
        login->setTitleText(QStringLiteral(u"系统文件缺失，将自动退出。"));
    }
    login->show();
    if (options.demo) {
        // As if F6 was pressed: the password box shows and the remembered password does
        // not confirm itself.
        login->setSaveSettingsOnClose(false);
        login->F6Pressed();
        login->PasswordEdit()->setText(
            options.administrator ? QString::fromUtf16(login::kAdministratorPassword) : QString());
        waitFor(unattended ? 300 : 150);
        if (unattended) {
            saveShot(login.get(), options.screenshotDir, QStringLiteral("login.png"));
        }
        if (login->waitingForLogin()) {
            login->Confirm();
        }
    }
    if (login->waitingForLogin()) {
        QEventLoop loop;
        QObject::connect(login.get(), &TStartupIM::loginFinished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!check.ok() || !ctx.LoginConfirmed) {
        login.reset();
        RemovePlainCopiesAtExit(ctx.folders, ctx.AdministratorMode);
        return check.ok() ? 0 : 1;
    }

    std::unique_ptr<TfrmMain> main = CreateWindows(ctx, login.get());
    dialogs.setDefaultParent(main.get());
    login->close();
    main->ApplyLateSettings();
    QObject::connect(main.get(), &TfrmMain::firstShown, main.get(), [&login] {
        if (login) {
            login->hide();
            login.release()->deleteLater();
        }
    });
    main->show();

    TframConnect* page = main->framConnect();
    const bool demoConnect = options.demo && !demo.devicePath().isEmpty();
    if (demoConnect) {
        page->addPortItem(demo.devicePath());
        page->cbxPort()->setCurrentText(demo.devicePath());
    }
    if (unattended) {
        QTimer::singleShot(0, main.get(), [&] {
            waitFor(200);
            if (demoConnect) {
                page->LinkBut()->click();
            }
            // Let the scheduler run a while, and take the pictures while the lamps are lit.
            waitFor(1500);
            for (int i = 0; i < 100 && ctx.link->isConnected() && ctx.scheduler &&
                            ctx.scheduler->BlinkCount <= 60;
                 ++i) {
                waitFor(10);
            }
            saveShot(main.get(), options.screenshotDir, QStringLiteral("main.png"));
            saveShot(main->framConnect(), options.screenshotDir, QStringLiteral("connection.png"));
            dialogs.defaultAnswer = true;
            main->close();
        });
    } else if (demoConnect) {
        QTimer::singleShot(0, page, [page] { page->LinkBut()->click(); });
    }

    const int rc = QApplication::exec();
    main.reset();
    RemovePlainCopiesAtExit(ctx.folders, ctx.AdministratorMode);
    demo.stop();
    return rc;
}

}  // namespace tevra
