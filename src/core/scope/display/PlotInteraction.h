#pragma once

#include <QString>

#include <array>
#include <functional>

#include "scope/display/PlotGeometry.h"

namespace tevra {

class WaveModel;

// The objects of the plot the mouse can take hold of.
enum class PlotObject {
    None,
    Mx1,
    Mx2,
    My1,
    My2,
    ReceivedZero,
    IntegralZero,
    DerivativeZero,
    CompareZero,
    TriggerLevel,
    MouseAxis,
};

struct PlotGrab {
    PlotObject object = PlotObject::None;
    int channel = 0;  // 0..3 for the zero levels

    bool operator==(const PlotGrab&) const = default;
    bool any() const { return object != PlotObject::None; }
};

enum class PlotCursor { Default, Cross, Hand, SizeVertical };

// What the interaction needs to know besides the model.
struct PlotContext {
    bool captureRunning = false;
    // Compare traces and their zero lines are not drawn while records arrive.
    bool compareHidden = false;
};

// What a mouse or label action asks of the window.
struct PlotAction {
    bool popupMenu = false;  // right button: the popup menu at the mouse
    bool changed = false;    // positions changed: repaint the lines, markers and readouts
};

// The mouse handling of the plot: which object follows the mouse, the limits each object
// may be dragged within, the shift up-downs and the marker captions. At most one object is
// held at a time; it stays held until the mouse is released inside the plot, so an object
// released outside jumps to the mouse when it comes back.
class PlotInteraction {
  public:
    // setTriggerLevel places the trigger line (and recomputes the threshold).
    PlotInteraction(WaveModel& model, std::function<void(int)> setTriggerLevel);

    const PlotGrab& grab() const { return grab_; }
    bool isGrabbed(PlotObject object, int channel = 0) const {
        return grab_ == PlotGrab{object, channel};
    }
    // The cursor over the plot: the hand near an object the mouse can take, else the cross.
    PlotCursor plotCursor() const { return cursor_; }

    PlotAction mouseDown(int x, int y, bool rightButton, const PlotContext& context);
    PlotAction mouseMove(int x, int y, const PlotContext& context);
    PlotAction mouseUp(int x, int y, const PlotContext& context);

    // A click on the marker label of a zero level (kind ReceivedZero, CompareZero,
    // IntegralZero or DerivativeZero) or on the trigger label: the first click takes hold
    // of the object, the second lets it go.
    PlotAction markerClicked(PlotObject kind, int channel, const PlotContext& context);
    // MYlab: takes or lets go of my1 (not while the mouse axis is held).
    PlotAction measureLabelClicked();

    // The channel's shift up-down moved to `position` (−800..800).
    PlotAction shiftChanged(int channel, int position);

    // Zero lines as they are drawn: received channels with their shift; compare channels
    // with the shift of the received channel of the same number.
    int receivedLevel(int channel) const;
    int compareLevel(int channel) const;
    // Whether a line is drawn (and can be taken).
    bool receivedShown(int channel) const;
    bool compareShown(int channel, const PlotContext& context) const;
    bool integralShown(int channel) const;
    bool derivativeShown(int channel) const;
    bool triggerShown() const;

    // Captions of the zero-level markers.
    const QString& receivedCaption(int channel) const { return receivedCaption_[channel]; }
    const QString& compareCaption(int channel) const { return compareCaption_[channel]; }
    const QString& integralCaption(int channel) const { return integralCaption_[channel]; }
    const QString& derivativeCaption(int channel) const { return derivativeCaption_[channel]; }
    // Page set-up and channel on: "1->", "1-↑" or "1-↓" for the zero level.
    void titleReceivedMarker(int channel);
    void titleAllMarkers();

    // Channel switched on or off from its button: zero line from the backup, shift 0.
    void setChannelOn(int channel, bool on);
    // While a channel is on every redraw keeps its drawn zero level as the backup.
    void keepZeroLevelBackups();

  private:
    bool nearAnyObject(int x, int y, const PlotContext& context) const;
    PlotGrab pick(int x, int y, const PlotContext& context) const;
    void takeHold(const PlotGrab& grab);
    // Folds the channel's shift into the received and compare zero lines.
    void foldShift(int channel);

    WaveModel& model_;
    std::function<void(int)> setTriggerLevel_;
    PlotGrab grab_;
    PlotCursor cursor_ = PlotCursor::Cross;
    std::array<QString, plot::kChannels> receivedCaption_;
    std::array<QString, plot::kChannels> compareCaption_;
    std::array<QString, plot::kChannels> integralCaption_;
    std::array<QString, plot::kChannels> derivativeCaption_;
};

}  // namespace tevra
