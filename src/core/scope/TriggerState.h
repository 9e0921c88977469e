#pragma once

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>

namespace tevra {

enum class TriggerEdge : int { Rising = 1, Falling = 2 };

// The values a trigger test needs, read together by whoever runs the test.
struct TriggerSnapshot {
    int Channel = 0;  // 1..4, 0 when no channel is chosen
    TriggerEdge Edge = TriggerEdge::Rising;
    double Threshold = 0.0;
};

// The last eight tested values, newest first; kept across the records of a capture. Only
// values actually tested count: a new capture starts with an empty history, so an edge is
// never reported against values that were not in the stream.
class TriggerHistory {
  public:
    static constexpr int kDepth = 8;
    // Drops the oldest value and puts v in front.
    void push(double v);
    double operator[](int k) const { return values_[k]; }
    // How many of the eight places hold tested values.
    int size() const { return size_; }
    void clear() {
        values_.fill(0.0);
        size_ = 0;
    }

  private:
    std::array<double, kDepth> values_{};
    int size_ = 0;
};

// The level trigger of the oscilloscope. The window (main thread) edits it; a running
// capture reads Channel, Armed, Edge and Threshold sample by sample, which is why those are
// atomics. History is used by whoever runs the test: the capture thread while a capture
// runs, the main thread otherwise.
class TriggerState {
  public:
    // The tested channel, 1..4 (radio buttons rdbtnWve1_1Trg..); 0 when none is set.
    std::atomic<int> Channel{1};
    // Check box TiggerCheck "启动"; not saved.
    std::atomic<bool> Armed{false};
    std::atomic<TriggerEdge> Edge{TriggerEdge::Rising};
    // ccbTrgMd item (0 single trigger; the only behaviour).
    int TypeIndex = 0;
    // y pixel of the trigger line (TiggerLabPosi).
    uint16_t TriggerLevel = 300;
    // The level at which the line was last drawn while armed; the threshold follows it.
    uint16_t LastArmedLevel = 0;
    // Engineering value the edge test compares with, and its text (LabeledEdit1).
    std::atomic<double> Threshold{0.0};
    QString ThresholdText;
    // Status pane stapanTrgMod.
    QString StatusText = QStringLiteral("未启动触发");

    TriggerHistory History;

    TriggerSnapshot snapshot() const {
        return {Channel.load(std::memory_order_relaxed), Edge.load(std::memory_order_relaxed),
                Threshold.load(std::memory_order_relaxed)};
    }
};

}  // namespace tevra
