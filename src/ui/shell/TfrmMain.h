#pragma once

#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

namespace tevra {

struct AppContext;
class LampShape;
class PollingScheduler;
class StartupProgress;
class TframConnect;
class TframDebug;
class TframeWave;
class TframLPCM;
class TframMonitor;
class TframParameter;
class TframServoError;
class TframZeroDriftCorrection;
class TfrmAbout;
class TfrmAutoExamCom;
class TfrmCommSet;
class TfrmMoni;
class TfrmOptions;
class TfrmSvoErr;
class TfrmSystMes;
class TfrmTool;
class TfrmToolWord;
class TfrmZero;

// The main window: the page buttons, the client panel with the visible page, menus, the
// status bar with the link and alarm lamps, Timer1 (the polling scheduler) and Timer2 (the
// wave post-processing).
class TfrmMain : public QMainWindow {
    Q_OBJECT
  public:
    static QString versionText();  // "Tevra系列伺服监控软件 V2.000"

    // Builds the pages and loads the serial settings; progress goes to the login window.
    TfrmMain(AppContext& ctx, StartupProgress* progress = nullptr);
    ~TfrmMain() override;

    // The tool windows of the shell, created after the main window in start-up order.
    void CreateToolWindows();
    // The late settings: ready, scheduler timer on, data-type mode of the wave channels.
    void ApplyLateSettings();

    // Connected or not: button, lamps, model menu, and the pages' listeners.
    void ShowLinkState(bool connected);

    // Page switching; false when refused because a capture runs.
    bool btnParameterClick();
    bool btnDebugClick();
    void btnWaveClick();
    bool btnLPCMClick();
    bool btnSystemStusClick();
    bool btnErrorClick();
    bool N3Click();
    void mmiCloseAllClick();

    // Opens a help topic of the table by index (F1), reporting a missing viewer or page.
    void OpenHelp(int topicIndex);

    // Menu items whose windows other parts of the program provide register their action.
    void setMenuAction(const QString& objectName, std::function<void()> action);
    // Runs after a correct developer-tool password enabled the developer tools.
    void EnableDeveloperTools();

    PollingScheduler& scheduler() { return *scheduler_; }
    QTimer& timer2() { return timer2_; }
    TframConnect* framConnect() const { return framConnect_; }
    TframParameter* framParameter() const { return framParameter_; }
    TframDebug* framDebug() const { return framDebug_; }
    TframeWave* frameWave() const { return frameWave_; }
    TframMonitor* framMonitor() const { return framMonitor_; }
    TframServoError* framServoError() const { return framServoError_; }
    TframLPCM* framLPCM() const { return framLPCM_; }
    TframZeroDriftCorrection* framZeroDrift() const { return framZeroDrift_; }
    TfrmTool* frmTool() const { return frmTool_; }
    TfrmOptions* frmOptions() const { return frmOptions_; }
    TfrmCommSet* frmCommSet() const { return frmCommSet_; }
    TfrmToolWord* frmToolWord() const { return frmToolWord_; }
    TfrmMoni* frmMoni() const { return frmMoni_; }
    TfrmSvoErr* frmSvoErr() const { return frmSvoErr_; }
    TfrmZero* frmZero() const { return frmZero_; }
    TfrmSystMes* frmSystMes() const { return frmSystMes_; }
    TfrmAutoExamCom* frmAutoExamCom() const { return frmAutoExamCom_; }
    LampShape* shpConnet() const { return shpConnet_; }
    LampShape* shpServoError() const { return shpServoError_; }

  Q_SIGNALS:
    // The window was shown for the first time (the login window goes away now).
    void firstShown();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void LoadModelDescription();
    void CreatePages();
    void ReadSystemRecords();
    void showDescriptionError(const QString& text);
    void ApplyPermission();
    void showClientPage(QWidget* page, QPushButton* button);
    bool refusedDuringCapture();
    void Timer2Routine();
    bool handleKey(QKeyEvent* event);
    void SaveSettings();
    void openModal(QWidget* dialog);

    AppContext& ctx_;
    StartupProgress* progress_;
    std::unique_ptr<PollingScheduler> scheduler_;
    QTimer timer2_;
    bool shownOnce_ = false;

    QWidget* pnlTool_ = nullptr;
    QWidget* pnlClient_ = nullptr;
    QPushButton* btnParameter_ = nullptr;
    QPushButton* btnSystemStus_ = nullptr;
    QPushButton* btnLPCM_ = nullptr;
    QPushButton* btnWave_ = nullptr;
    QPushButton* btnError_ = nullptr;
    QPushButton* btnHelp_ = nullptr;
    QPushButton* btnDebug_ = nullptr;
    QLabel* spnlTitle_ = nullptr;
    LampShape* shpConnet_ = nullptr;
    LampShape* shpServoError_ = nullptr;

    QAction* pmiSelectModel_ = nullptr;
    QAction* N3_ = nullptr;
    QMenu* pmiDeveloperTool_ = nullptr;
    QList<QAction*> developerItems_;
    QHash<QString, std::function<void()>> menuActions_;

    TframConnect* framConnect_ = nullptr;
    TframParameter* framParameter_ = nullptr;
    TframDebug* framDebug_ = nullptr;
    TframeWave* frameWave_ = nullptr;
    TframMonitor* framMonitor_ = nullptr;
    TframServoError* framServoError_ = nullptr;
    TframLPCM* framLPCM_ = nullptr;
    TframZeroDriftCorrection* framZeroDrift_ = nullptr;

    TfrmToolWord* frmToolWord_ = nullptr;
    TfrmTool* frmTool_ = nullptr;
    TfrmCommSet* frmCommSet_ = nullptr;
    TfrmOptions* frmOptions_ = nullptr;
    TfrmMoni* frmMoni_ = nullptr;
    TfrmZero* frmZero_ = nullptr;
    TfrmSvoErr* frmSvoErr_ = nullptr;
    TfrmSystMes* frmSystMes_ = nullptr;
    TfrmAutoExamCom* frmAutoExamCom_ = nullptr;
    TfrmAbout* frmAbout_ = nullptr;
};

// The main-keyboard digit of a key press (Shift held or not), or -1.
int MainKeyboardDigit(const QKeyEvent& event);

}  // namespace tevra
