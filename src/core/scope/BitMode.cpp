#include "scope/BitMode.h"

#include <algorithm>

#include "scope/WaveBuffers.h"
#include "scope/WaveModel.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"

namespace tevra {

namespace {

// The slots the bit window works on: 0 .. 800 * ScreenCount.
int lastRecordSlot(const WaveModel& model) {
    return std::min(model.recordLength(), kWaveSlots - 1);
}

}  // namespace

void storeBitModeSlot(WaveBuffers& buffers, int channel, int slot, bool bitMode, int bit) {
    uint32_t& wave = buffers.WaveBuffer(channel)[slot];
    uint32_t raw = WaveBuffers::loadSlot(wave);
    WaveBuffers::storeSlot(buffers.BitSourceBuffer(channel)[slot], raw);
    if (bitMode) {
        WaveBuffers::storeSlot(wave, extractBit(raw, bit));
    }
}

void rederiveBitMode(WaveBuffers& buffers, int channel, bool bitMode, int bit, int first,
                     int last) {
    first = std::max(first, 0);
    last = std::min(last, kWaveSlots - 1);
    const WaveSlots& source = buffers.BitSourceBuffer(channel);
    WaveSlots& wave = buffers.WaveBuffer(channel);
    if (bitMode) {
        for (int i = first; i <= last; ++i) {
            wave[i] = extractBit(source[i], bit);
        }
    } else {
        for (int i = first; i <= last; ++i) {
            wave[i] = source[i];
        }
    }
}

bool confirmBitMode(WaveModel& model, const std::array<bool, kWaveChannels>& boxes,
                    UserDialogs& dialogs, bool captureRunning) {
    const int last = lastRecordSlot(model);
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        WaveChannel& c = model.Channels[ch];
        const bool leaving = c.BitMode && !boxes[ch];
        c.BitMode = boxes[ch];
        if (leaving && !captureRunning) {
            rederiveBitMode(model.Buffers, ch, false, 0, 0, last);
        }
    }
    if (std::none_of(boxes.begin(), boxes.end(), [](bool b) { return b; })) {
        dialogs.showMessage(TipMessages()[4], caption::error(), MessageIcon::Error);
        return false;
    }
    return true;
}

void applyBitMode(WaveModel& model, const std::array<bool, kWaveChannels>& boxes) {
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        model.Channels[ch].BitMode = boxes[ch];
    }
    applyBitMode(model);
}

void applyBitMode(WaveModel& model) {
    int last = lastRecordSlot(model);
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        const WaveChannel& c = model.Channels[ch];
        rederiveBitMode(model.Buffers, ch, c.BitMode, c.BitNumber, 0, last);
    }
}

void cancelBitMode(WaveModel& model) {
    int last = lastRecordSlot(model);
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        model.Channels[ch].BitMode = false;
        rederiveBitMode(model.Buffers, ch, false, 0, 0, last);
    }
}

void refreshBitMode(WaveModel& model) {
    int last = lastRecordSlot(model);
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        const WaveChannel& c = model.Channels[ch];
        if (c.BitMode) {
            rederiveBitMode(model.Buffers, ch, true, c.BitNumber, 0, last);
        }
    }
}

const WaveSlots& rawSamples(const WaveModel& model, int channel) {
    return model.Channels[channel].BitMode ? model.Buffers.BitSourceBuffer(channel)
                                           : model.Buffers.WaveBuffer(channel);
}

}  // namespace tevra
