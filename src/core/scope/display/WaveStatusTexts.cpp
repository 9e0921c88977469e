#include "scope/display/WaveStatusTexts.h"

#include "scope/WaveModel.h"
#include "scope/display/WaveReadouts.h"
#include "scope/display/WaveTraces.h"

namespace tevra {

void WaveStatusTexts::updateAxisReadouts(const WaveModel& model, const WaveTraces& traces,
                                         WaveShiftMode mode, bool captureRunning) {
    const int c = std::clamp(model.MouseAxistX, 0, plot::kColumns - 1);
    std::array<plot::ChannelReading, plot::kChannels> received;
    std::array<plot::ChannelReading, plot::kChannels> compare;
    for (int n = 0; n < plot::kChannels; ++n) {
        const WaveChannel& ch = model.Channels[n];
        if (ch.isOn()) {
            received[n] = {true, traces.receivedValue(n, c, mode), ch.Inverted, ch.ChannelUnit};
        }
        if (model.Compare[n].isOn()) {
            // The compare channels carry the units of the received channels they compare.
            compare[n] = {true, traces.compareValue(n, c, mode), model.Compare[n].Inverted,
                          ch.ChannelUnit};
        }
    }
    stapanrWveDat = plot::axisReadout(received);
    if (model.WaveModeFlags[1]) {
        stapancWveDat = QStringLiteral("比较波形数据: ") + plot::axisReadout(compare, "CW");
    }
    if (!captureRunning) {
        const int z = std::max(1, model.ScreenCount);
        stapanGrnMTm = plot::axisTimeText(c, model.EachDotTime, z);
        stapanIntTm = plot::measureTimeText(model.mx1, model.mx2, model.EachDotTime, z);
        updateChannelLabels(model);
    }
}

void WaveStatusTexts::updateMeasureReadout(const WaveModel& model) {
    std::array<plot::MeasureChannel, plot::kChannels> channels;
    for (int n = 0; n < plot::kChannels; ++n) {
        const WaveChannel& ch = model.Channels[n];
        if (ch.isOn()) {
            channels[n] = {true, ch.ValuePerDivision, ch.ChannelUnit};
        }
    }
    stapanMWveDat = plot::measureReadout(channels, model.my1, model.my2);
}

void WaveStatusTexts::updateChannelLabels(const WaveModel& model) {
    for (int n = 0; n < plot::kChannels; ++n) {
        channelScale[n] = plot::channelScaleLabel(
            n + 1, plot::perDivisionText(model.Channels[n].ValuePerDivision));
    }
    labM = plot::divisionTimeLabel(
        plot::divisionTimeText(model.EachDotTime, std::max(1, model.ScreenCount)));
}

void WaveStatusTexts::updatePeriodicTexts(WaveModel& model, const QStringList& sourceTexts) {
    if (!model.WaveModeFlags[0]) {
        QString names = QStringLiteral("波形名称: ");
        for (int n = 0; n < plot::kChannels; ++n) {
            WaveChannel& ch = model.Channels[n];
            if (n < sourceTexts.size()) {
                ch.ChannelName = sourceTexts[n];
            }
            if (ch.isOn()) {
                names += QStringLiteral("W%1=").arg(n + 1) + ch.ChannelName + u' ';
            }
        }
        stapanImWveNm = names;
        stapanImFleNm = QStringLiteral("文件名: ");
    }
    if (!model.WaveModeFlags[1]) {
        stapancWveNm = QStringLiteral("比较波形名称: ");
        stapancWveDat = QStringLiteral("比较波形数据: ");
        stapancWveFleNm = QStringLiteral("比较波形文件名: ");
    }
    if (!model.WaveModeFlags[2]) {
        stapanIntDat = QStringLiteral("准      备");
    }
}

}  // namespace tevra
