#pragma once

#include <QString>
#include <QStringList>

#include <array>

#include "scope/display/PlotGeometry.h"
#include "scope/display/ScrollRules.h"

namespace tevra {

class WaveModel;
class WaveTraces;

// The texts of the status bars below the plot and of the scale labels beside the channel
// buttons, named after the panes and labels that show them.
struct WaveStatusTexts {
    // sbarWaveData
    QString stapanGrnMTm;   // time at the mouse axis
    QString stapanrWveDat;  // received values at the mouse axis
    // sbarMeasureWave
    QString stapanMWveDat;                             // values between my1 and my2
    QString stapanIntTm = QStringLiteral("时间间隔");  // time between mx1 and mx2
    // sbarImptWave
    QString stapanImWveNm;
    QString stapanImFleNm;
    // sbarCompWave
    QString stapancWveNm;
    QString stapancWveDat;
    // sbarIntegWave
    QString stapanIntDat;
    QString stapancWveFleNm;
    // labM and labCh1_1..labCh1_4
    QString labM;
    std::array<QString, plot::kChannels> channelScale;

    // The readouts at the mouse axis column: values of the received (and, in compare mode,
    // compare) channels; while no capture runs also the times and the scale labels.
    void updateAxisReadouts(const WaveModel& model, const WaveTraces& traces, WaveShiftMode mode,
                            bool captureRunning);
    // The values between the horizontal measurement lines.
    void updateMeasureReadout(const WaveModel& model);
    // The scale labels "CH1: 0.5 " and "    M: 60.8mS".
    void updateChannelLabels(const WaveModel& model);
    // The periodic tick's name and idle texts; sourceTexts are the source combos' texts.
    void updatePeriodicTexts(WaveModel& model, const QStringList& sourceTexts);
};

}  // namespace tevra
