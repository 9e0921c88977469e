#pragma once

#include <QString>

#include <array>

#include "scope/display/PlotGeometry.h"

namespace tevra::plot {

// One channel's contribution to a readout.
struct ChannelReading {
    bool on = false;
    double value = 0;  // converted sample at the mouse axis
    bool inverted = false;
    QString unit;  // empty: no unit shown
};

// "W1=1.5(rpm) W3=-2": the values at the mouse axis of the channels that are on, negated
// for an inverted channel, with `prefix` ("W" for received, "CW" for compare channels).
QString axisReadout(const std::array<ChannelReading, kChannels>& channels,
                    const QString& prefix = QStringLiteral("W"));

// One channel's value between the two horizontal measurement lines.
struct MeasureChannel {
    bool on = false;
    double valuePerDivision = 0;
    QString unit;
};

// "MW1=3.2(V)  MW2=0.5": |my1 − my2| × range / 65 for every channel that is on.
QString measureReadout(const std::array<MeasureChannel, kChannels>& channels, int my1, int my2);

// Time at the mouse axis column: "12.16mS".
QString axisTimeText(int column, double eachDotTime, int screenCount);
// Time of one horizontal division, shown by the label labM: "60.8mS".
QString divisionTimeText(double eachDotTime, int screenCount);
// Time between the vertical measurement lines: "测量时间: 152mS".
QString measureTimeText(int mx1, int mx2, double eachDotTime, int screenCount);
// "    M: 60.8mS".
QString divisionTimeLabel(const QString& divisionTime);

// A range's value per division as shown beside the channel buttons: "0.######".
QString perDivisionText(double valuePerDivision);
// "CH1: 0.5 ".
QString channelScaleLabel(int channelDigit, const QString& perDivision);

}  // namespace tevra::plot
