#include "scope/display/WaveTraces.h"

#include <algorithm>

#include "scope/SampleType.h"
#include "scope/WaveModel.h"
#include "scope/display/ValueToPixel.h"

namespace tevra {

namespace {

double slotValue(const WaveSlots& buffer, int64_t slot, uint8_t type) {
    if (slot < 0) {
        return 0.0;
    }
    return ConvertSample(type, WaveBuffers::loadSlot(buffer[static_cast<size_t>(slot)]));
}

}  // namespace

double WaveTraces::receivedValue(int channel, int column, WaveShiftMode mode) const {
    const int64_t slot =
        plot::sampleSlot(column, model_.ScrollOffset, model_.ScreenCount, mode, false, kWaveSlots);
    return slotValue(model_.Buffers.WaveBuffer(channel), slot, model_.Channels[channel].SampleType);
}

double WaveTraces::compareValue(int channel, int column, WaveShiftMode mode) const {
    const int64_t slot =
        plot::sampleSlot(column, model_.ScrollOffset, model_.ScreenCount, mode, true, kWaveSlots);
    return slotValue(model_.Buffers.CompareBuffer(channel), slot,
                     model_.Compare[channel].SampleType);
}

void WaveTraces::compute(int first, int last, WaveShiftMode mode, bool withCompare) {
    first = std::max(first, 0);
    last = std::min(last, plot::kColumns - 1);
    for (int n = 0; n < plot::kChannels; ++n) {
        const WaveChannel& ch = model_.Channels[n];
        if (ch.isOn()) {
            const int z = ch.zeroLevel();
            const double r = ch.ValuePerDivision;
            Column& ys = received_[n];
            for (int c = first; c <= last; ++c) {
                ys[c] = plot::valueToPixel(receivedValue(n, c, mode), z, r);
            }
        }
        if (withCompare && model_.Compare[n].isOn()) {
            const int z = int(model_.Compare[n].ZeroLine) + plot::kShiftStep * ch.ChannelShift;
            const double r = ch.ValuePerDivision;
            Column& ys = compare_[n];
            for (int c = first; c <= last; ++c) {
                ys[c] = plot::valueToPixel(compareValue(n, c, mode), z, r);
            }
        }
    }
}

}  // namespace tevra
