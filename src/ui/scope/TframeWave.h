#pragma once

#include <QWidget>

namespace tevra {

struct AppContext;
class TfrmTool;

// The wave page.
class TframeWave : public QWidget {
    Q_OBJECT
  public:
    TframeWave(AppContext& ctx, QWidget* parent);

    // The main window's Timer2 routine while this page is showing: display updates,
    // figures, integral traces, bit-mode conversion and the redraw of the display.
    void RefreshWave();
    // F2 in the main window while a capture runs: the stop action.
    void StopWaveClick();
    // The source-change action of the four channel selectors (automatic data types).
    void ChannelSourcesChanged();
    // Applies the manual data-type settings of the four channels.
    void ApplyManualDataTypes();
    // The wave-shift tool window whose down button tells what a drag moves.
    void setShiftTool(TfrmTool* tool) { shiftTool_ = tool; }

  private:
    AppContext& ctx_;
    TfrmTool* shiftTool_ = nullptr;
};

}  // namespace tevra
