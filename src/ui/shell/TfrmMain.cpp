#include "shell/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "debug/TframDebug.h"
#include "description/DescriptionReaders.h"
#include "description/ModelList.h"
#include "description/ProtectedTextFile.h"
#include "parameters/TframLPCM.h"
#include "parameters/TframMonitor.h"
#include "parameters/TframParameter.h"
#include "parameters/TframServoError.h"
#include "parameters/TfrmMoni.h"
#include "parameters/TfrmSvoErr.h"
#include "scope/TframeWave.h"
#include "shell/AppContext.h"
#include "shell/Artwork.h"
#include "shell/ConnectionController.h"
#include "shell/HelpTopics.h"
#include "shell/LampShape.h"
#include "shell/PollingScheduler.h"
#include "shell/StartupProgress.h"
#include "shell/TframConnect.h"
#include "shell/TfrmAbout.h"
#include "shell/TfrmAutoExamCom.h"
#include "shell/TfrmCommSet.h"
#include "shell/TfrmOptions.h"
#include "shell/TfrmTool.h"
#include "shell/TfrmToolWord.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"
#include "tools/TframZeroDriftCorrection.h"
#include "tools/TfrmZero.h"

namespace tevra {
namespace {

QPushButton* makePageButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumHeight(48);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QAction* makeAction(QMenu* menu, const char* name, const QString& text,
                    const QKeySequence& shortcut = QKeySequence()) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
    }
    return a;
}

}  // namespace

QString TfrmMain::versionText() {
    return QStringLiteral(u"Tevra系列伺服监控软件 V2.000");
}

int MainKeyboardDigit(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && !(event.modifiers() & Qt::KeypadModifier)) {
        return key - Qt::Key_0;
    }
    // With Shift held the key reports the shifted symbol; the US layout's symbols of the
    // digit row map back to their digits.
    switch (key) {
        case Qt::Key_ParenRight:
            return 0;
        case Qt::Key_Exclam:
            return 1;
        case Qt::Key_At:
            return 2;
        case Qt::Key_NumberSign:
            return 3;
        case Qt::Key_Dollar:
            return 4;
        case Qt::Key_Percent:
            return 5;
        case Qt::Key_AsciiCircum:
            return 6;
        case Qt::Key_Ampersand:
            return 7;
        case Qt::Key_Asterisk:
            return 8;
        case Qt::Key_ParenLeft:
            return 9;
        default:
            break;
    }
    // Other layouts: the X11 key codes of the digit row, 10 ("1") to 19 ("0").
    const quint32 scan = event.nativeScanCode();
    if (scan >= 10 && scan <= 19 && QGuiApplication::platformName() == u"xcb") {
        return static_cast<int>((scan - 9) % 10);
    }
    return -1;
}

TfrmMain::TfrmMain(AppContext& ctx, StartupProgress* progress)
    : QMainWindow(nullptr), ctx_(ctx), progress_(progress) {
    setObjectName(QStringLiteral("frmMain"));
    scheduler_ = std::make_unique<PollingScheduler>(ctx_);
    ctx_.scheduler = scheduler_.get();
    timer2_.setInterval(1);
    connect(&timer2_, &QTimer::timeout, this, &TfrmMain::Timer2Routine);

    if (progress_) {
        progress_->setProgressText(QStringLiteral(u"正在启动.."));
    }
    setWindowTitle(versionText());
    resize(1080, 768);

    buildMenus();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlMain"));
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    buildToolBar();
    layout->addWidget(pnlTool_);
    pnlClient_ = new QWidget(central);
    pnlClient_->setObjectName(QStringLiteral("pnlClient"));
    auto* clientLayout = new QGridLayout(pnlClient_);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnlClient_, 1);
    buildStatusBar();

    if (!QFileInfo::exists(ctx_.folders.configIniPath()) && ctx_.dialogs) {
        ctx_.dialogs->showMessage(
            QStringLiteral(u"糸统配置文件(%1)不存在！").arg(QStringLiteral("Config.ini")),
            caption::error(), MessageIcon::Error);
    }

    LoadModelDescription();
    if (progress_) {
        progress_->appendProgressDot();
    }
    CreatePages();
    if (progress_) {
        progress_->appendProgressDot();
    }
    ReadSystemRecords();
    if (progress_) {
        progress_->appendProgressDot();
    }

    scheduler_->setDisconnectHandler([this] { framConnect_->controller().Disconnect(); });
    scheduler_->setLampHandler([this](bool lime) {
        shpConnet_->setColor(lime ? LampShape::lime() : LampShape::grey());
        if (framConnect_->isVisible()) {
            framConnect_->SetLampLime(lime);
        }
    });

    framConnect_->controller().LoadComSet();
    if (progress_) {
        progress_->appendProgressDot();
    }
    ApplyPermission();
    qApp->installEventFilter(this);
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
    scheduler_->setTimerEnabled(false);
    timer2_.stop();
    if (ctx_.scheduler == scheduler_.get()) {
        ctx_.scheduler = nullptr;
    }
}

void TfrmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral(u"文件&"));
    file->setObjectName(QStringLiteral("mmFile"));
    connect(makeAction(file, "mmiCloseAll", QStringLiteral(u"关闭所有&")), &QAction::triggered,
            this, &TfrmMain::mmiCloseAllClick);
    connect(makeAction(file, "mmiExit", QStringLiteral(u"退出&")), &QAction::triggered, this,
            &QWidget::close);

    QMenu* tools = bar->addMenu(QStringLiteral(u"工具&"));
    tools->setObjectName(QStringLiteral("mmTools"));
    pmiSelectModel_ = makeAction(tools, "pmiSelectModel", QStringLiteral(u"型号选择&"),
                                 QKeySequence(Qt::CTRL | Qt::Key_D));
    N3_ = makeAction(tools, "N3", QStringLiteral(u"零漂校正&"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(N3_, &QAction::triggered, this, &TfrmMain::N3Click);
    pmiDeveloperTool_ = tools->addMenu(QStringLiteral(u"开发员工具&"));
    pmiDeveloperTool_->setObjectName(QStringLiteral("pmiDeveloperTool"));
    pmiDeveloperTool_->menuAction()->setObjectName(QStringLiteral("pmiDeveloperToolItem"));
    QAction* toolWord = makeAction(pmiDeveloperTool_, "pmiToolWord", QStringLiteral(u"权限校验&"));
    connect(toolWord, &QAction::triggered, this, [this] {
        openModal(frmToolWord_);
        if (ctx_.DeveloperToolPermission) {
            EnableDeveloperTools();
        }
    });
    pmiDeveloperTool_->addSeparator();
    developerItems_ << makeAction(pmiDeveloperTool_, "pmiGain", QStringLiteral(u"增益调整&"))
                    << makeAction(pmiDeveloperTool_, "pmiVoltageCoefficient",
                                  QStringLiteral(u"电压系数&"))
                    << makeAction(pmiDeveloperTool_, "pmiEncoder", QStringLiteral(u"编码器配置&"))
                    << makeAction(pmiDeveloperTool_, "pmiEEPROM", QStringLiteral(u"存储器工具&"));
    QMenu* fileConfig = pmiDeveloperTool_->addMenu(QStringLiteral(u"文件配置&"));
    fileConfig->setObjectName(QStringLiteral("pmiFileConfig"));
    developerItems_ << makeAction(fileConfig, "pmiUserConfig", QStringLiteral(u"用户配置&"))
                    << makeAction(fileConfig, "pmAutoGainFile", QStringLiteral(u"增益文件&"));
    for (QAction* a : developerItems_) {
        a->setEnabled(false);
    }
    QList<QAction*> hooked = developerItems_;
    hooked << pmiSelectModel_;
    for (QAction* a : hooked) {
        connect(a, &QAction::triggered, this, [this, a] {
            const auto it = menuActions_.constFind(a->objectName());
            if (it != menuActions_.constEnd() && *it) {
                (*it)();
            }
        });
    }

    QMenu* settings = bar->addMenu(QStringLiteral(u"设置&"));
    settings->setObjectName(QStringLiteral("mmSettings"));
    connect(makeAction(settings, "N11", QStringLiteral(u"串口设置&"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, [this] { openModal(frmCommSet_); });
    connect(makeAction(settings, "mmiOptions", QStringLiteral(u"选项&"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)),
            &QAction::triggered, this, [this] { openModal(frmOptions_); });

    QMenu* help = bar->addMenu(QStringLiteral(u"帮助&"));
    help->setObjectName(QStringLiteral("mmHelp"));
    connect(makeAction(help, "mmiAbout", QStringLiteral(u"关于&"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)),
            &QAction::triggered, this, [this] {
                if (!frmAbout_) {
                    frmAbout_ = new TfrmAbout(this);
                }
                openModal(frmAbout_);
            });
}

void TfrmMain::buildToolBar() {
    pnlTool_ = new QWidget(centralWidget());
    pnlTool_->setObjectName(QStringLiteral("pnlTool"));
    pnlTool_->setFixedWidth(112);
    auto* v = new QVBoxLayout(pnlTool_);
    v->setContentsMargins(4, 6, 4, 6);
    v->setSpacing(4);
    btnParameter_ = makePageButton(pnlTool_, "btnParameter", QStringLiteral(u"参   数"));
    btnSystemStus_ = makePageButton(pnlTool_, "btnSystemStus", QStringLiteral(u"系统状态"));
    btnLPCM_ = makePageButton(pnlTool_, "btnLPCM", QStringLiteral("iPLC"));
    btnWave_ = makePageButton(pnlTool_, "btnWave", QStringLiteral(u"波   形"));
    btnError_ = makePageButton(pnlTool_, "btnError", QStringLiteral(u"报警信息"));
    btnHelp_ = makePageButton(pnlTool_, "btnHelp", QStringLiteral(u"帮助"));
    btnDebug_ = makePageButton(pnlTool_, "btnDebug", QStringLiteral(u"内部调试"));
    const std::pair<QPushButton*, PageIcon> icons[] = {{btnParameter_, PageIcon::Parameters},
                                                       {btnSystemStus_, PageIcon::SystemStatus},
                                                       {btnLPCM_, PageIcon::Iplc},
                                                       {btnWave_, PageIcon::Wave},
                                                       {btnError_, PageIcon::Alarm},
                                                       {btnHelp_, PageIcon::Help},
                                                       {btnDebug_, PageIcon::Debug}};
    for (const auto& [button, icon] : icons) {
        button->setIcon(PageButtonIcon(icon));
        button->setIconSize(QSize(24, 24));
    }
    btnHelp_->hide();
    btnDebug_->setEnabled(false);
    for (QPushButton* b :
         {btnParameter_, btnSystemStus_, btnLPCM_, btnWave_, btnError_, btnHelp_, btnDebug_}) {
        v->addWidget(b);
    }
    v->addStretch(1);
    connect(btnParameter_, &QPushButton::clicked, this, &TfrmMain::btnParameterClick);
    connect(btnSystemStus_, &QPushButton::clicked, this, &TfrmMain::btnSystemStusClick);
    connect(btnLPCM_, &QPushButton::clicked, this, &TfrmMain::btnLPCMClick);
    connect(btnWave_, &QPushButton::clicked, this, &TfrmMain::btnWaveClick);
    connect(btnError_, &QPushButton::clicked, this, &TfrmMain::btnErrorClick);
    connect(btnHelp_, &QPushButton::clicked, this, [this] { OpenHelp(0); });
    connect(btnDebug_, &QPushButton::clicked, this, &TfrmMain::btnDebugClick);
}

void TfrmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    spnlTitle_ = new QLabel(QStringLiteral(u"准备"), bar);
    spnlTitle_->setObjectName(QStringLiteral("spnlTitle"));
    spnlTitle_->setMinimumWidth(200);
    bar->addWidget(spnlTitle_, 1);

    auto panel = [bar](const char* name, const QString& text, const char* lampName,
                       const QString& hint, LampShape** lamp) {
        auto* w = new QWidget(bar);
        w->setObjectName(QString::fromLatin1(name));
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(6, 0, 6, 0);
        h->setSpacing(6);
        h->addWidget(new QLabel(text, w));
        *lamp = new LampShape(w, 14);
        (*lamp)->setObjectName(QString::fromLatin1(lampName));
        (*lamp)->setToolTip(hint);
        h->addWidget(*lamp);
        bar->addPermanentWidget(w);
    };
    panel("spnlConnect", QStringLiteral(u"通信指示"), "shpConnet", QStringLiteral(u"设备连接指示"),
          &shpConnet_);
    panel("spnlError", QStringLiteral(u"报警指示"), "shpServoError",
          QStringLiteral(u"驱动器故障指示"), &shpServoError_);
}

void TfrmMain::LoadModelDescription() {
    const ModelDescription model =
        LoadSelectedModelDescription(ctx_.folders, ModelList(ctx_.folders));
    ctx_.modelLines = model.lines;
    // A missing or unnamed file leaves the description empty; a file that cannot be
    // decoded is reported.
    if (model.status == ModelDescription::Status::Unreadable) {
        showDescriptionError(model.message);
    }
}

void TfrmMain::ReadSystemRecords() {
    const QString system = protected_file::kSystemDescription;
    const auto registers = ReadRegisterSection(ctx_.modelLines);
    const RegisterList list = registers.ok() ? registers.value() : RegisterList();
    if (const auto io = ReadIoSection(ctx_.folders, system, list); io.ok()) {
        ctx_.io = io.value();
    } else {
        showDescriptionError(io.error().toString());
    }
    if (const auto noImport = ReadNoImportSection(ctx_.folders, system); noImport.ok()) {
        ctx_.noImport = noImport.value();
    } else {
        showDescriptionError(noImport.error().toString());
    }
    if (const auto sysReg = ReadSysRegSection(ctx_.folders, system, list); sysReg.ok()) {
        ctx_.outputStatusRegister = sysReg.value();
    } else {
        showDescriptionError(sysReg.error().toString());
    }
}

void TfrmMain::showDescriptionError(const QString& text) {
    if (ctx_.dialogs) {
        ctx_.dialogs->showMessage(text, caption::error(), MessageIcon::Error);
    }
}

void TfrmMain::CreatePages() {
    auto* grid = static_cast<QGridLayout*>(pnlClient_->layout());
    framConnect_ = new TframConnect(ctx_, nullptr);
    framParameter_ = new TframParameter(ctx_, pnlClient_);
    framParameter_->pnlConnect()->layout()->addWidget(framConnect_);
    framDebug_ = new TframDebug(ctx_, pnlClient_);
    frameWave_ = new TframeWave(ctx_, pnlClient_);
    framMonitor_ = new TframMonitor(ctx_, nullptr);
    framServoError_ = new TframServoError(ctx_, nullptr);
    framLPCM_ = new TframLPCM(ctx_, pnlClient_);
    framZeroDrift_ = new TframZeroDriftCorrection(ctx_, nullptr);
    for (QWidget* page : {static_cast<QWidget*>(framParameter_), static_cast<QWidget*>(framDebug_),
                          static_cast<QWidget*>(frameWave_), static_cast<QWidget*>(framLPCM_)}) {
        grid->addWidget(page, 0, 0);
        page->hide();
    }
    framConnect_->setShowLinkState([this](bool connected) { ShowLinkState(connected); });
    // Inversion keys pressed during a capture wait in the capture's request mask; the
    // capture hands them back to the parameter page between records.
    framParameter_->setCaptureRequests(&frameWave_->capture().PendingInversionKeys);
    frameWave_->inversionKeyAction = [this](uint32_t keys) {
        framParameter_->ApplyCaptureRequests(keys);
    };
    // A capture that passes its link error limit disconnects as the connection page does.
    frameWave_->disconnectAction = [this] { framConnect_->controller().Disconnect(); };
}

void TfrmMain::CreateToolWindows() {
    frmToolWord_ = new TfrmToolWord(ctx_, this);
    frmTool_ = new TfrmTool(ctx_, this);
    frameWave_->setShiftTool(frmTool_);
    frmCommSet_ = new TfrmCommSet(ctx_, this);
    frmOptions_ = new TfrmOptions(ctx_, this);
    frmOptions_->setSourceChangeAction([this] { frameWave_->ChannelSourcesChanged(); });
    frmOptions_->setTimer2IntervalHandler([this](int ms) { timer2_.setInterval(ms); });
    timer2_.setInterval(ctx_.options.Timer2Interval);
    frmMoni_ = new TfrmMoni(ctx_, this);
    frmZero_ = new TfrmZero(ctx_, this);
    frmSvoErr_ = new TfrmSvoErr(ctx_, this);
    frmSystMes_ = new TfrmSystMes(this);
    frmAutoExamCom_ = new TfrmAutoExamCom(this);
    framConnect_->setProgressWindow(frmAutoExamCom_);
}

void TfrmMain::ApplyLateSettings() {
    ctx_.MainReady = true;
    scheduler_->setTimerEnabled(true);
    if (ctx_.options.dataTypeAutomatic) {
        frameWave_->ChannelSourcesChanged();
    } else {
        frameWave_->ApplyManualDataTypes();
    }
}

void TfrmMain::ApplyPermission() {
    const bool admin = ctx_.AdministratorMode;
    btnDebug_->setVisible(admin);
    pmiDeveloperTool_->menuAction()->setVisible(admin);
    N3_->setVisible(admin);
    framConnect_->ApplyPermission(admin);
}

void TfrmMain::EnableDeveloperTools() {
    for (QAction* a : developerItems_) {
        a->setEnabled(true);
    }
    btnDebug_->setEnabled(true);
}

void TfrmMain::setMenuAction(const QString& objectName, std::function<void()> action) {
    menuActions_.insert(objectName, std::move(action));
}

void TfrmMain::ShowLinkState(bool connected) {
    framConnect_->SetLinkState(connected);
    pmiSelectModel_->setEnabled(!connected);
    if (!connected) {
        shpConnet_->setColor(LampShape::grey());
        btnError_->setStyleSheet(QString());
        shpServoError_->setColor(LampShape::grey());
    }
    for (const auto& listener : ctx_.linkStateListeners) {
        listener(connected);
    }
}

bool TfrmMain::refusedDuringCapture() {
    if (!ctx_.CaptureRunning.load()) {
        return false;
    }
    if (ctx_.dialogs) {
        ctx_.dialogs->showMessage(TipMessages()[46], windowTitle(), MessageIcon::Information);
    }
    return true;
}

void TfrmMain::showClientPage(QWidget* page, QPushButton* button) {
    spnlTitle_->setText(button->text());
    for (QWidget* p : {static_cast<QWidget*>(framParameter_), static_cast<QWidget*>(framDebug_),
                       static_cast<QWidget*>(frameWave_), static_cast<QWidget*>(framLPCM_)}) {
        if (p != page) {
            p->hide();
        }
    }
    page->show();
}

bool TfrmMain::btnParameterClick() {
    if (refusedDuringCapture()) {
        return false;
    }
    showClientPage(framParameter_, btnParameter_);
    return true;
}

bool TfrmMain::btnDebugClick() {
    if (refusedDuringCapture()) {
        return false;
    }
    showClientPage(framDebug_, btnDebug_);
    return true;
}

void TfrmMain::btnWaveClick() {
    showClientPage(frameWave_, btnWave_);
    timer2_.start(ctx_.options.Timer2Interval);
}

bool TfrmMain::btnLPCMClick() {
    if (refusedDuringCapture()) {
        return false;
    }
    showClientPage(framLPCM_, btnLPCM_);
    return true;
}

bool TfrmMain::btnSystemStusClick() {
    if (refusedDuringCapture()) {
        return false;
    }
    frmMoni_->hostPage(framMonitor_);
    frmMoni_->show();
    frmMoni_->raise();
    return true;
}

bool TfrmMain::btnErrorClick() {
    if (refusedDuringCapture()) {
        return false;
    }
    frmSvoErr_->hostPage(framServoError_);
    frmSvoErr_->show();
    frmSvoErr_->raise();
    return true;
}

bool TfrmMain::N3Click() {
    if (refusedDuringCapture()) {
        return false;
    }
    frmZero_->hostPage(framZeroDrift_);
    frmZero_->show();
    frmZero_->raise();
    return true;
}

void TfrmMain::mmiCloseAllClick() {
    for (QWidget* p : {static_cast<QWidget*>(framParameter_), static_cast<QWidget*>(framDebug_),
                       static_cast<QWidget*>(frameWave_), static_cast<QWidget*>(framLPCM_)}) {
        p->hide();
    }
    spnlTitle_->setText(QStringLiteral(u"准备"));
}

void TfrmMain::OpenHelp(int topicIndex) {
    const HelpLaunchResult r = OpenHelpTopic(ctx_.folders, HelpTopic(topicIndex));
    if (!r.started && ctx_.dialogs) {
        ctx_.dialogs->showMessage(r.message, caption::information(), MessageIcon::Information);
    }
}

void TfrmMain::openModal(QWidget* dialog) {
    if (auto* d = qobject_cast<QDialog*>(dialog)) {
        d->exec();
    }
}

void TfrmMain::Timer2Routine() {
    if (!ctx_.MainReady) {
        return;
    }
    timer2_.stop();
    if (frameWave_->isVisible()) {
        frameWave_->RefreshWave();
    }
    timer2_.start(ctx_.options.Timer2Interval);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        Q_EMIT firstShown();
        btnParameterClick();
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        // The application's filters see a key press once, at the widget it goes to: keys of
        // the main window and its pages, not those of the other windows.
        if (w && w->window() == this) {
            if (handleKey(static_cast<QKeyEvent*>(event))) {
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (ctx_.link && ctx_.link->isConnected() &&
        framParameter_->MainKeyDown(MainKeyboardDigit(*event), mods)) {
        return true;
    }
    if (event->key() == Qt::Key_T && mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        if (frameWave_->isVisible() && frmTool_) {
            frmTool_->toggleVisible();
        }
        return true;
    }
    if (event->key() == Qt::Key_F1 && mods == Qt::NoModifier) {
        if (framParameter_->isVisible()) {
            OpenHelp(5);
            return true;
        }
        if (frameWave_->isVisible()) {
            OpenHelp(15);
            return true;
        }
    }
    if (event->key() == Qt::Key_F2 && mods == Qt::NoModifier && ctx_.CaptureRunning.load()) {
        frameWave_->StopWaveClick();
        return true;
    }
    return false;
}

void TfrmMain::SaveSettings() {
    WriteStationSetting(ctx_.config, framConnect_->stationIndex());
    if (frmTool_) {
        frmTool_->saveSettings();
    }
    for (const auto& saver : ctx_.settingsSavers) {
        saver();
    }
    ctx_.config.save();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    const bool yes = !ctx_.dialogs || ctx_.dialogs->askYesNo(TipMessages()[45], windowTitle(),
                                                             MessageIcon::Information);
    if (!yes) {
        event->ignore();
        return;
    }
    SaveSettings();
    scheduler_->setTimerEnabled(false);
    timer2_.stop();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible()) {
            w->close();
        }
    }
    event->accept();
}

}  // namespace tevra
