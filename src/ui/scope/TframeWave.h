#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "debug/RegisterDirectory.h"
#include "description/DriveDescription.h"
#include "scope/WaveCapture.h"
#include "scope/WaveRenderer.h"
#include "scope/WaveSources.h"
#include "scope/display/PlotInteraction.h"
#include "scope/display/ScrollRules.h"
#include "scope/display/WaveStatusTexts.h"
#include "scope/display/WaveTraces.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace tevra {

struct AppContext;
class TfrmBitWvSet;
class TfrmChnChse;
class TfrmDTSet;
class TfrmTool;
class UpDown;
class WaveModel;
class WavePlot;

// The wave page: four channels with their sources, ranges, shifts and types, the plot with
// its markers and status bars, the capture buttons and the trigger, bit and data-type
// windows.
class TframeWave : public QWidget, public CaptureHost {
    Q_OBJECT
  public:
    TframeWave(AppContext& ctx, QWidget* parent);
    ~TframeWave() override;

    // The main window's Timer2 routine while this page is showing: status texts, the
    // bit-mode conversion and the redraw of the display (the columns that have arrived
    // while a capture runs).
    void RefreshWave();
    // RunWaveBut / pmiRunWave.
    void RunWaveClick();
    // StopWave / F2 in the main window while a capture runs.
    void StopWaveClick();
    // The source-change action of the four channel selectors: with automatic data types,
    // each channel takes the type its source is declared with.
    void ChannelSourcesChanged();
    // Applies the manual data-type settings of the four channels (Config.ini DataType1).
    void ApplyManualDataTypes();
    // The wave-shift tool window whose down button tells what the scroll bar moves.
    void setShiftTool(TfrmTool* tool) { shiftTool_ = tool; }
    // Writes the page's settings into the program's Config.ini (saved by the caller).
    void SaveSettings();

    WaveModel& model() { return *model_; }
    WaveCapture& capture() { return *capture_; }
    PlotInteraction& interaction() { return interaction_; }
    const WaveStatusTexts& statusTexts() const { return texts_; }
    const WaveTraces& traces() const { return traces_; }
    const WaveSourceCatalog& sourceCatalog() const { return catalog_; }
    TfrmChnChse* triggerWindow() const { return trigger_; }
    TfrmBitWvSet* bitWindow() const { return bitWindow_; }
    TfrmDTSet* dataTypeDialog() const { return dtSet_; }
    // Draws the plot now, as the refresh timer would.
    void redrawNow();
    // The plot as it was last drawn.
    const QImage& plotImage() const { return renderer_.image(); }

    // The connection page's disconnect action, used when the capture gives up the link.
    std::function<void()> disconnectAction;
    // Toggle-and-write of the inversion boxes recorded during a capture.
    std::function<void(uint32_t keys)> inversionKeyAction;
    // Opens the wave page's help topic.
    std::function<void()> helpAction;

  protected:
    // CaptureHost
    void applyInversionKeys(uint32_t keys) override;
    void showTiming(const QString& eachDotTimeText, const QString& totalTimeText) override;
    void disconnectLink() override;
    void captureStopped() override;
    void triggerFired() override;
    void captureFinished() override;

  private:
    void buildChannelBar();
    void buildPlotPanel();
    void buildToolColumn();
    void buildStatusBars();
    void buildPopupMenu();
    void loadSources();
    void applyModelToControls();

    void setChannelOn(int channel, bool on);
    void setInverted(int channel, bool inverted);
    void rangeChosen(int channel, int index);
    void lengthChosen(int index);
    void scrollMoved(int position);
    void openDataTypeDialog(int channel);
    void setMeasureLines(bool on);
    void chooseColor(int32_t& color);
    void setRunButtons(bool running);

    void plotPressed(int x, int y, bool right, QPoint global);
    void plotMoved(int x, int y);
    void plotReleased(int x, int y);
    void markerClicked(PlotObject kind, int channel);
    void afterInteraction(const PlotAction& action);

    WaveShiftMode shiftMode() const;
    PlotContext plotContext() const;
    void placeMarkers();
    void showTexts();
    void showBalloon(QWidget* control, const QString& text, const QString& title, int icon);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    AppContext& ctx_;
    std::unique_ptr<WaveModel> model_;
    RegisterDirectory registers_;
    WaveSourceList waveEntries_;
    WaveSourceCatalog catalog_;
    PlotInteraction interaction_;
    WaveTraces traces_;
    WaveStatusTexts texts_;
    WaveRenderer renderer_;
    std::unique_ptr<UserDialogs> fallbackDialogs_;
    UserDialogs* dialogs_ = nullptr;
    std::unique_ptr<WaveCapture> capture_;
    TfrmTool* shiftTool_ = nullptr;
    bool updating_ = false;

    // Channel bar.
    std::array<QLabel*, 4> labChannel_{};
    std::array<QComboBox*, 4> cmbWve_{};
    std::array<QComboBox*, 4> cmbRage_{};
    std::array<UpDown*, 4> udRage_{};
    // Plot panel.
    QWidget* plotPanel_ = nullptr;
    WavePlot* pbWave_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    std::array<QLabel*, 4> labWavRef_{};
    std::array<QLabel*, 4> labcWavRef_{};
    std::array<QLabel*, 4> labIWavRef_{};
    std::array<QLabel*, 4> labDWavRef_{};
    QLabel* triggerLabel_ = nullptr;
    QLabel* myLabel_ = nullptr;
    QLabel* my2Label_ = nullptr;
    // Tool column.
    QComboBox* cmbWaveLength_ = nullptr;
    UpDown* udWaveLength_ = nullptr;
    QLabel* eachDotTime_ = nullptr;
    QLabel* totalTime_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QToolButton* measureButton_ = nullptr;
    std::array<QToolButton*, 4> onButtons_{};
    std::array<QToolButton*, 4> offButtons_{};
    std::array<QToolButton*, 4> invButtons_{};
    std::array<QToolButton*, 4> typeButtons_{};
    std::array<QLabel*, 4> labCh_{};
    QLabel* labM_ = nullptr;
    std::array<QLabel*, 4> labMVCH_{};
    std::array<UpDown*, 4> updnCH_{};
    // Status bars.
    QLabel* stapanGrnMTm_ = nullptr;
    QLabel* stapanrWveDat_ = nullptr;
    QLabel* stapanTrgMod_ = nullptr;
    QLabel* stapanMWveDat_ = nullptr;
    QLabel* stapanIntTm_ = nullptr;
    QLabel* stapanImWveNm_ = nullptr;
    QLabel* stapanImFleNm_ = nullptr;
    QLabel* stapancWveNm_ = nullptr;
    QLabel* stapancWveDat_ = nullptr;
    QLabel* stapanIntDat_ = nullptr;
    QLabel* stapancWveFleNm_ = nullptr;
    std::array<QWidget*, 5> statusBars_{};
    // Popup menu.
    QMenu* pmWave_ = nullptr;
    QAction* pmiRunWave_ = nullptr;
    QAction* pmiMeasure_ = nullptr;
    std::array<QAction*, 4> pmirWaveInv_{};
    // Windows.
    TfrmChnChse* trigger_ = nullptr;
    TfrmBitWvSet* bitWindow_ = nullptr;
    TfrmDTSet* dtSet_ = nullptr;
};

}  // namespace tevra
