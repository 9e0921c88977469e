#pragma once

#include <array>
#include <cstdint>

#include "scope/display/PlotGeometry.h"
#include "scope/display/ScrollRules.h"

namespace tevra {

class WaveModel;

// The y pixels of the traces, one per display column 0..800, computed from the sample
// buffers: the sample a column shows (scroll and wave-shift palette), converted by the
// channel's type and placed by its zero level and range. Drawing mirrors a point about the
// zero level for an inverted channel (plot::drawnY).
class WaveTraces {
  public:
    using Column = std::array<int, plot::kColumns>;

    explicit WaveTraces(const WaveModel& model) : model_(model) {}

    // Computes columns first..last (clamped to 0..800) of every received channel that is
    // on and, when `withCompare`, of every compare channel that is on.
    void compute(int first, int last, WaveShiftMode mode, bool withCompare);

    const Column& received(int channel) const { return received_[channel]; }
    const Column& compare(int channel) const { return compare_[channel]; }

    // The converted value column c shows for a received or compare channel (0 when no
    // sample is picked).
    double receivedValue(int channel, int column, WaveShiftMode mode) const;
    double compareValue(int channel, int column, WaveShiftMode mode) const;

  private:
    const WaveModel& model_;
    std::array<Column, plot::kChannels> received_{};
    std::array<Column, plot::kChannels> compare_{};
};

}  // namespace tevra
