#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdint>

#include "scope/TriggerState.h"
#include "scope/WaveBuffers.h"

namespace tevra {

// A zero line of 0x8000 means the channel is off (not recorded, not drawn).
inline constexpr uint16_t kZeroLineOff = 0x8000;
// Zero lines stored above this value start the channel switched off.
inline constexpr int kZeroLineOnLimit = 30000;

// Colours are kept as Config.ini stores them: 0x00BBGGRR, or a system colour 0xFF0000nn
// (the window converts them).
inline constexpr int32_t kColorBtnFace = static_cast<int32_t>(0xFF00000Fu);

// Items of the capture-length combo cmbWaveLength.
inline constexpr int kLengthItems = 80;
// The largest samples-per-column factor: 800 * 81 samples still fit the 16-bit sample count
// of the wave-start frame and the buffers.
inline constexpr int kMaxScreenCount = 81;

// One received channel (CH1..CH4).
struct WaveChannel {
    int SourceIndex = 0;           // item of cmbWve1_n in WaveModel::SourceItems
    QString ChannelName;           // trimmed source text (ResolveSource)
    QString ChannelUnit;           // unit text of the source (ResolveSource)
    uint16_t SourceSlot = 0x8000;  // drive address of the first word; 0x8000 when not found
    uint8_t SampleType = 0;
    uint16_t ZeroLine = kZeroLineOff;  // y of the zero level; kZeroLineOff = off
    uint16_t ZeroLineBackup = 0;       // zero level restored by switchOn()
    int16_t ChannelShift = 0;          // updnCH1_n, -800..800; 20 pixels per step
    bool Inverted = false;
    int RangeIndex = -1;  // item of cmbRage1_n in WaveModel::RangeItems; -1 none
    double ValuePerDivision = 3.0;
    int32_t Color = 0;
    bool BitMode = false;  // bit window flags (not saved)
    int BitNumber = 0;     // 0..31, cbbxBit1_n
    double IntegralScale = 1.0;
    QString IntegralUnit;

    bool isOn() const { return ZeroLine != kZeroLineOff; }
    // The zero level as drawn: ZeroLine + 20 * ChannelShift.
    int zeroLevel() const { return int(ZeroLine) + 20 * int(ChannelShift); }
    void switchOn() {
        ZeroLine = ZeroLineBackup;
        ChannelShift = 0;
    }
    void switchOff() { ZeroLine = kZeroLineOff; }
};

// One channel of a loaded compare wave; it uses the shift and range of the received
// channel with the same number.
struct CompareChannel {
    uint16_t ZeroLine = kZeroLineOff;
    uint16_t ZeroLineBackup = 32768;
    bool On = false;
    bool Inverted = false;
    int32_t Color = 0;
    uint8_t SampleType = 0;

    bool isOn() const { return ZeroLine != kZeroLineOff; }
};

// The zero line of an integral or derivative channel.
struct AuxiliaryZeroLine {
    uint16_t ZeroLine = kZeroLineOff;
    uint16_t ZeroLineBackup = 211;

    bool isOn() const { return ZeroLine != kZeroLineOff; }
};

// The state of the oscilloscope page, owned by whoever creates the page (one per program)
// and passed explicitly. Everything here is main-thread state; a running capture copies
// what it needs at the start of each record (WaveCapture).
class WaveModel {
  public:
    WaveModel() = default;
    WaveModel(const WaveModel&) = delete;
    WaveModel& operator=(const WaveModel&) = delete;

    std::array<WaveChannel, kWaveChannels> Channels;
    std::array<CompareChannel, kWaveChannels> Compare;
    std::array<AuxiliaryZeroLine, kWaveChannels> Integral;
    std::array<AuxiliaryZeroLine, kWaveChannels> Derivative;

    QStringList SourceItems;  // WaveSourceList: the texts every source combo offers
    QStringList RangeItems;   // items of every range combo
    QStringList LengthItems;  // the 80 items of cmbWaveLength

    int LengthIndex = 1;       // cmbWaveLength item (WaveFlelve)
    int ScreenCount = 1;       // samples per display column, 1..kMaxScreenCount
    double EachDotTime = 0.0;  // ms between two samples of the current wave
    double TotalTime = 0.0;    // ms, measured duration of the last record
    int ScrollOffset = 0;      // display columns
    // [0] received wave from a file, [1] compare, [2] integral, [3] derivative mode.
    std::array<bool, 4> WaveModeFlags{};
    int32_t BoardColor = kColorBtnFace;

    bool MeasureLinesOn = false;
    int mx1 = 350;
    int mx2 = 550;
    int my1 = 350;
    int my2 = 450;
    int MouseAxistX = 500;
    int MouseAxistY = 500;

    TriggerState Trigger;
    WaveBuffers Buffers;

    // Samples of one capture record: 800 * ScreenCount (a ScreenCount of 0 counts as 1).
    int recordLength() const { return plot::kWidth * std::max(1, ScreenCount); }
    bool anyChannelOn() const {
        return std::any_of(Channels.begin(), Channels.end(),
                           [](const WaveChannel& c) { return c.isOn(); });
    }
};

}  // namespace tevra
