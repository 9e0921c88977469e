#include "scope/display/PlotInteraction.h"

#include <algorithm>

#include "scope/WaveModel.h"
#include "scope/display/MarkerLabel.h"

namespace tevra {

namespace {

bool insidePlot(int x, int y) {
    return x >= 0 && x <= plot::kWidth && y >= 0 && y <= plot::kHeight;
}

// Zero lines are 16-bit with 0x8000 meaning "off": a folded or dragged line is kept in the
// range of lines that read back as on.
uint16_t zeroLineValue(int y) {
    return static_cast<uint16_t>(std::clamp(y, 0, kZeroLineOnLimit));
}

}  // namespace

PlotInteraction::PlotInteraction(WaveModel& model, std::function<void(int)> setTriggerLevel)
    : model_(model), setTriggerLevel_(std::move(setTriggerLevel)) {
    titleAllMarkers();
}

int PlotInteraction::receivedLevel(int channel) const {
    return model_.Channels[channel].zeroLevel();
}

int PlotInteraction::compareLevel(int channel) const {
    return int(model_.Compare[channel].ZeroLine) +
           plot::kShiftStep * int(model_.Channels[channel].ChannelShift);
}

bool PlotInteraction::receivedShown(int channel) const {
    return model_.Channels[channel].isOn();
}

bool PlotInteraction::compareShown(int channel, const PlotContext& context) const {
    return model_.WaveModeFlags[1] && !context.compareHidden && model_.Compare[channel].isOn();
}

bool PlotInteraction::integralShown(int channel) const {
    return model_.WaveModeFlags[2] && model_.Integral[channel].isOn();
}

bool PlotInteraction::derivativeShown(int channel) const {
    return model_.WaveModeFlags[3] && model_.Derivative[channel].isOn();
}

bool PlotInteraction::triggerShown() const {
    return model_.Trigger.Armed.load();
}

void PlotInteraction::titleReceivedMarker(int channel) {
    const WaveChannel& ch = model_.Channels[channel];
    receivedCaption_[channel] =
        plot::markerText(channel + 1, ch.isOn() ? ch.zeroLevel() : int(ch.ZeroLineBackup), false);
}

void PlotInteraction::titleAllMarkers() {
    for (int n = 0; n < plot::kChannels; ++n) {
        titleReceivedMarker(n);
        compareCaption_[n] = plot::markerText(n + 1, compareLevel(n), false);
        integralCaption_[n] = plot::markerText(n + 1, model_.Integral[n].ZeroLine, false);
        derivativeCaption_[n] = plot::markerText(n + 1, model_.Derivative[n].ZeroLine, false);
    }
}

void PlotInteraction::setChannelOn(int channel, bool on) {
    WaveChannel& ch = model_.Channels[channel];
    if (on) {
        if (!ch.isOn()) {
            ch.switchOn();
        }
        receivedCaption_[channel] = plot::markerText(channel + 1, ch.ZeroLineBackup, false);
        return;
    }
    ch.switchOff();
    // An off channel's zero line must not follow the mouse: that would switch it on again.
    if (isGrabbed(PlotObject::ReceivedZero, channel)) {
        grab_ = {};
    }
}

void PlotInteraction::keepZeroLevelBackups() {
    for (int n = 0; n < plot::kChannels; ++n) {
        WaveChannel& ch = model_.Channels[n];
        if (ch.isOn()) {
            ch.ZeroLineBackup = zeroLineValue(ch.zeroLevel());
        }
        if (model_.WaveModeFlags[1] && model_.Compare[n].isOn()) {
            model_.Compare[n].ZeroLineBackup = zeroLineValue(compareLevel(n));
        }
        if (model_.WaveModeFlags[2] && model_.Integral[n].isOn()) {
            model_.Integral[n].ZeroLineBackup = model_.Integral[n].ZeroLine;
        }
        if (model_.WaveModeFlags[3] && model_.Derivative[n].isOn()) {
            model_.Derivative[n].ZeroLineBackup = model_.Derivative[n].ZeroLine;
        }
    }
}

bool PlotInteraction::nearAnyObject(int x, int y, const PlotContext& context) const {
    if (triggerShown() && plot::isNear(y, model_.Trigger.TriggerLevel)) {
        return true;
    }
    if (plot::isNear(x, model_.MouseAxistX)) {
        return true;
    }
    if (model_.MeasureLinesOn && (plot::isNear(x, model_.mx1) || plot::isNear(x, model_.mx2) ||
                                  plot::isNear(y, model_.my1) || plot::isNear(y, model_.my2))) {
        return true;
    }
    for (int n = 0; n < plot::kChannels; ++n) {
        if ((receivedShown(n) && plot::isNear(y, receivedLevel(n))) ||
            (compareShown(n, context) && plot::isNear(y, compareLevel(n))) ||
            (integralShown(n) && plot::isNear(y, model_.Integral[n].ZeroLine)) ||
            (derivativeShown(n) && plot::isNear(y, model_.Derivative[n].ZeroLine))) {
            return true;
        }
    }
    return false;
}

PlotGrab PlotInteraction::pick(int x, int y, const PlotContext& context) const {
    if (model_.MeasureLinesOn) {
        if (plot::isNear(x, model_.mx1)) {
            return {PlotObject::Mx1, 0};
        }
        if (plot::isNear(x, model_.mx2)) {
            return {PlotObject::Mx2, 0};
        }
        if (plot::isNear(y, model_.my1)) {
            return {PlotObject::My1, 0};
        }
        if (plot::isNear(y, model_.my2)) {
            return {PlotObject::My2, 0};
        }
    }
    for (int n = 0; n < plot::kChannels; ++n) {
        if (receivedShown(n) && plot::isNear(y, receivedLevel(n))) {
            return {PlotObject::ReceivedZero, n};
        }
    }
    for (int n = 0; n < plot::kChannels; ++n) {
        if (integralShown(n) && plot::isNear(y, model_.Integral[n].ZeroLine)) {
            return {PlotObject::IntegralZero, n};
        }
    }
    for (int n = 0; n < plot::kChannels; ++n) {
        if (derivativeShown(n) && plot::isNear(y, model_.Derivative[n].ZeroLine)) {
            return {PlotObject::DerivativeZero, n};
        }
    }
    for (int n = 0; n < plot::kChannels; ++n) {
        if (compareShown(n, context) && plot::isNear(y, compareLevel(n))) {
            return {PlotObject::CompareZero, n};
        }
    }
    if (triggerShown() && plot::isNear(y, model_.Trigger.TriggerLevel)) {
        return {PlotObject::TriggerLevel, 0};
    }
    if (plot::isNear(x, model_.MouseAxistX)) {
        return {PlotObject::MouseAxis, 0};
    }
    return {};
}

void PlotInteraction::foldShift(int channel) {
    WaveChannel& ch = model_.Channels[channel];
    const int shift = plot::kShiftStep * int(ch.ChannelShift);
    if (shift == 0) {
        return;
    }
    // Only lines that are on take the shift: an off line (0x8000) stays off.
    if (ch.isOn()) {
        ch.ZeroLine = zeroLineValue(int(ch.ZeroLine) + shift);
    }
    CompareChannel& cmp = model_.Compare[channel];
    if (cmp.isOn()) {
        cmp.ZeroLine = zeroLineValue(int(cmp.ZeroLine) + shift);
    }
    ch.ChannelShift = 0;
}

void PlotInteraction::takeHold(const PlotGrab& grab) {
    if (grab.object == PlotObject::ReceivedZero || grab.object == PlotObject::CompareZero) {
        foldShift(grab.channel);
    }
    grab_ = grab;
}

PlotAction PlotInteraction::mouseDown(int x, int y, bool rightButton, const PlotContext& context) {
    PlotAction action;
    if (!insidePlot(x, y)) {
        return action;
    }
    if (rightButton) {
        action.popupMenu = true;
        return action;
    }
    if (grab_.any()) {
        return action;
    }
    const PlotGrab grab = pick(x, y, context);
    if (grab.any()) {
        takeHold(grab);
        action.changed = true;
    }
    return action;
}

PlotAction PlotInteraction::mouseMove(int x, int y, const PlotContext& context) {
    PlotAction action;
    if (!insidePlot(x, y)) {
        cursor_ = PlotCursor::Default;
        return action;
    }
    cursor_ = nearAnyObject(x, y, context) ? PlotCursor::Hand : PlotCursor::Cross;

    const int n = grab_.channel;
    switch (grab_.object) {
        case PlotObject::ReceivedZero:
            if (y > 5 && y < 515 && x < plot::kWidth) {
                const int before = receivedLevel(n);
                model_.Channels[n].ChannelShift = 0;
                model_.Channels[n].ZeroLine = zeroLineValue(y);
                receivedCaption_[n] = plot::markerText(n + 1, y, true);
                // The trigger line keeps its distance from the trigger channel's zero level.
                if (model_.Trigger.Channel.load() == n + 1 && y != before) {
                    setTriggerLevel_(int(model_.Trigger.TriggerLevel) + y - before);
                }
                action.changed = true;
            }
            break;
        case PlotObject::IntegralZero:
        case PlotObject::DerivativeZero:
            if (y > 4 && y <= 515 && x < plot::kWidth) {
                auto& line = grab_.object == PlotObject::IntegralZero ? model_.Integral[n]
                                                                      : model_.Derivative[n];
                auto& caption = grab_.object == PlotObject::IntegralZero ? integralCaption_[n]
                                                                         : derivativeCaption_[n];
                line.ZeroLine = zeroLineValue(y);
                caption = plot::markerText(n + 1, y, true);
                action.changed = true;
            }
            break;
        case PlotObject::CompareZero:
            if (y > 5 && y < 515 && x < plot::kWidth) {
                foldShift(n);
                model_.Compare[n].ZeroLine = zeroLineValue(y);
                compareCaption_[n] = plot::markerText(n + 1, y, true);
                action.changed = true;
            }
            break;
        case PlotObject::Mx1:
        case PlotObject::Mx2:
        case PlotObject::My1:
        case PlotObject::My2:
            if (model_.MeasureLinesOn && y >= 5 && y <= 515 && x >= 6 && x <= 794) {
                switch (grab_.object) {
                    case PlotObject::Mx1:
                        model_.mx1 = x;
                        break;
                    case PlotObject::Mx2:
                        model_.mx2 = x;
                        break;
                    case PlotObject::My1:
                        model_.my1 = y;
                        break;
                    default:
                        model_.my2 = y;
                        break;
                }
                action.changed = true;
            }
            break;
        case PlotObject::TriggerLevel:
            if (y >= 5 && y <= 515 && x < plot::kWidth) {
                setTriggerLevel_(y);
                action.changed = true;
            }
            break;
        case PlotObject::MouseAxis:
            if (x > 4 && x <= 795) {
                model_.MouseAxistX = x;
                model_.MouseAxistY = y;
                action.changed = true;
            }
            break;
        case PlotObject::None:
            break;
    }
    return action;
}

PlotAction PlotInteraction::mouseUp(int x, int y, const PlotContext&) {
    PlotAction action;
    // Released outside the plot: the object stays held.
    if (!(x > 0 && x < plot::kWidth && y > 0 && y < plot::kHeight)) {
        return action;
    }
    if (grab_.any()) {
        grab_ = {};
        action.changed = true;
    }
    return action;
}

PlotAction PlotInteraction::markerClicked(PlotObject kind, int channel, const PlotContext&) {
    PlotAction action;
    action.changed = true;
    if (isGrabbed(kind, channel)) {
        grab_ = {};
        return action;
    }
    if (kind == PlotObject::ReceivedZero && !receivedShown(channel)) {
        action.changed = false;
        return action;
    }
    takeHold({kind, channel});
    return action;
}

PlotAction PlotInteraction::measureLabelClicked() {
    PlotAction action;
    if (isGrabbed(PlotObject::MouseAxis)) {
        return action;
    }
    grab_ = isGrabbed(PlotObject::My1) ? PlotGrab{} : PlotGrab{PlotObject::My1, 0};
    action.changed = true;
    return action;
}

PlotAction PlotInteraction::shiftChanged(int channel, int position) {
    WaveChannel& ch = model_.Channels[channel];
    ch.ChannelShift = static_cast<int16_t>(std::clamp(position, -800, 800));
    receivedCaption_[channel] = plot::markerText(channel + 1, receivedLevel(channel), true);
    if (model_.Compare[channel].isOn()) {
        compareCaption_[channel] = plot::markerText(channel + 1, compareLevel(channel), true);
    }
    setTriggerLevel_(model_.Trigger.TriggerLevel);
    return {false, true};
}

}  // namespace tevra
