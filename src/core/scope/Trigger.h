#pragma once

#include <QString>

#include <cstdint>

#include "scope/TriggerState.h"

namespace tevra {

class WaveModel;

enum class TriggerLevelOutcome {
    OutsidePlot,  // y <= 0 or y >= 520: nothing changed but the per-division texts
    Moved,        // armed: the line moved from previousLevel to TriggerLevel
    NotArmed,     // not armed: the line stays hidden; the threshold was recomputed
};

struct TriggerLevelChange {
    TriggerLevelOutcome outcome = TriggerLevelOutcome::OutsidePlot;
    uint16_t previousLevel = 0;  // where the line was drawn before (to erase it)
};

// Places the trigger line at y and recomputes the threshold of the trigger channel from the
// last armed level, its drawn zero level and ValuePerDivision:
// (zero level - last armed level) * ValuePerDivision / 65, and its text
// "0.0"-formatted followed by the channel's unit. The window draws the line and label.
TriggerLevelChange SetTriggerLevel(WaveModel& model, int y);

// One trigger test: pushes the sample's value into the history and reports whether the
// edge fired. The value is the raw slot read as the channel's type: INT16, UINT16, INT32
// and UINT32 as integers, fixed-point and FLOAT32 types as their converted value.
// Rising fires when the value is above the threshold and one of the previous seven is
// below it; falling fires when the value is below and one of the previous seven is above.
bool TestTriggerSample(TriggerHistory& history, TriggerEdge edge, double threshold, uint32_t raw,
                       uint8_t sampleType);

// The status pane text after firing: "CH2产生下降沿触发" and the like.
QString triggerFiredText(int channel, TriggerEdge edge);

}  // namespace tevra
