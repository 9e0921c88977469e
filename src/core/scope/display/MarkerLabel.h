#pragma once

#include <QString>

namespace tevra::plot {

// Top of a marker label vertically centred on the level it marks, kept on the page: a top
// below 505 at most, and 5 when it would leave the plot at the top.
int markerTop(int level, int labelHeight);

// Caption of a channel's zero-level marker: "1-↓" when the level is at or below the
// bottom edge (520 or more), "1->" while it is on the plot, "1-↑" at or above the top.
// The markers moved by a shift or a drag carry a blank after the arrow ("1-> ").
QString markerText(int channelDigit, int level, bool trailingBlank);

}  // namespace tevra::plot
