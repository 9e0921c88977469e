#include "scope/Trigger.h"

#include "scope/SampleType.h"
#include "scope/ValueFormat.h"
#include "scope/WaveModel.h"

namespace tevra {

void TriggerHistory::push(double v) {
    for (int k = kDepth - 1; k > 0; --k) {
        values_[k] = values_[k - 1];
    }
    values_[0] = v;
    if (size_ < kDepth) {
        ++size_;
    }
}

TriggerLevelChange SetTriggerLevel(WaveModel& model, int y) {
    TriggerState& t = model.Trigger;
    TriggerLevelChange change;
    change.previousLevel = t.TriggerLevel;
    if (y <= 0 || y >= plot::kHeight) {
        change.outcome = TriggerLevelOutcome::OutsidePlot;
        return change;
    }
    if (t.Armed.load()) {
        t.LastArmedLevel = uint16_t(y);
        t.TriggerLevel = uint16_t(y);
        change.outcome = TriggerLevelOutcome::Moved;
    } else {
        change.outcome = TriggerLevelOutcome::NotArmed;
    }
    int n = t.Channel.load();
    if (n >= 1 && n <= kWaveChannels) {
        const WaveChannel& c = model.Channels[n - 1];
        double d = c.zeroLevel() - int(t.LastArmedLevel);
        double threshold = d * c.ValuePerDivision / plot::kPixelsPerDivision;
        t.Threshold.store(threshold);
        t.ThresholdText = formatDecimal(threshold, 1, 1) + c.ChannelUnit;
    }
    return change;
}

bool TestTriggerSample(TriggerHistory& history, TriggerEdge edge, double threshold, uint32_t raw,
                       uint8_t sampleType) {
    double v;
    switch (sampleType) {
        case sample_type::kInt16:
            v = int16_t(raw & 0xFFFFu);
            break;
        case sample_type::kUint16:
            v = raw & 0xFFFFu;
            break;
        case sample_type::kInt32:
            v = int32_t(raw);
            break;
        case sample_type::kUint32:
            v = raw;
            break;
        default:
            v = ConvertSample(sampleType, raw);
            break;
    }
    history.push(v);
    if (edge == TriggerEdge::Rising) {
        if (!(v > threshold)) {
            return false;
        }
        for (int k = 1; k < history.size(); ++k) {
            if (history[k] < threshold) {
                return true;
            }
        }
        return false;
    }
    if (!(v < threshold)) {
        return false;
    }
    for (int k = 1; k < history.size(); ++k) {
        if (history[k] > threshold) {
            return true;
        }
    }
    return false;
}

QString triggerFiredText(int channel, TriggerEdge edge) {
    QString name = QStringLiteral("CH") + QString::number(channel);
    return edge == TriggerEdge::Rising ? name + QStringLiteral("产生上升沿触发")
                                       : name + QStringLiteral("产生下降沿触发");
}

}  // namespace tevra
