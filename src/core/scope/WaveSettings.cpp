#include "scope/WaveSettings.h"

#include <algorithm>
#include <cmath>

#include "ini/IniFile.h"
#include "scope/Trigger.h"
#include "scope/WaveModel.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra {

namespace {

const QString kSection = QString::fromLatin1(kWaveSettingsSection);
const QString kVoltageLevels = QStringLiteral("VoltageLelve");
const QString kRangeValues = QStringLiteral("VGridLelve");
const QString kLengthLevels = QStringLiteral("FrequencyLelve");
const QString kLengthScreenCounts = QStringLiteral("FGridLelve");
const QString kDataTypes = QStringLiteral("DataType1");

// Hand-kept tables longer than this are taken as damaged.
constexpr int kMaxRangeItems = 1000;

constexpr std::array<int, 4> kDefaultZeroLines = {151, 211, 211, 211};
constexpr std::array<int32_t, 4> kDefaultColors = {0xFF0000, 128, 0, 0};

QString key(const char* prefix, int channel, const char* suffix = "") {
    return QString::fromLatin1(prefix) + QString::number(channel + 1) + QString::fromLatin1(suffix);
}

// A 16-bit zero line as stored (values outside 0..65535 wrap as the 16-bit field does).
uint16_t readZeroLine(const IniFile& config, const QString& name, int defaultValue) {
    return uint16_t(config.readInt(kSection, name, defaultValue));
}

// Wve1_nPos: the drawn zero level, kept on the side of 30000 that reads back in the same
// state. A trace shifted past the top edge (a negative level) would otherwise wrap to a
// large 16-bit value and start switched off, and a switched-off channel with a large
// negative shift would start switched on.
int storedZeroLevel(const WaveChannel& c) {
    const int z = c.zeroLevel();
    return c.isOn() ? std::clamp(z, 0, kZeroLineOnLimit) : std::max(z, int(kZeroLineOff));
}

void writeBackup(IniFile& config, const QString& name, uint16_t value) {
    if (value < kZeroLineOnLimit) {
        config.writeInt(kSection, name, value);
    }
}

}  // namespace

QString rangeErrorText() {
    return QStringLiteral("请选择正确的量程！");
}

void LoadWaveSettings(WaveModel& model, const IniFile& config) {
    // Range items: keys 0..L of VoltageLelve.
    int rangeLast =
        std::min(config.readInt(kVoltageLevels, QStringLiteral("Length"), 1), kMaxRangeItems - 1);
    model.RangeItems.clear();
    for (int i = 0; i <= rangeLast; ++i) {
        model.RangeItems << trimText(config.readString(kVoltageLevels, QString::number(i)));
    }

    for (int ch = 0; ch < kWaveChannels; ++ch) {
        WaveChannel& c = model.Channels[ch];
        c.SourceIndex = config.readInt(kSection, key("Wve1_", ch, "Idx"), 0);
        if (c.SourceIndex < 0 || c.SourceIndex >= model.SourceItems.size()) {
            c.SourceIndex = 0;
        }

        int range = config.readInt(kSection, key("Ch1_", ch, "Rage"), 1);
        if (range == -1) {
            range = 0;
        }
        c.RangeIndex = range >= 0 && range < model.RangeItems.size() ? range : -1;
        QString caption = c.RangeIndex >= 0 ? trimText(model.RangeItems[c.RangeIndex]) : QString();
        double vpd = config.readFloat(kRangeValues, caption, 3.0);
        // The display and the trigger divide by it.
        c.ValuePerDivision = std::isfinite(vpd) && vpd != 0.0 ? vpd : 3.0;

        c.ZeroLineBackup = readZeroLine(config, key("Wve1_", ch, "PosBak"), kDefaultZeroLines[ch]);
        c.ZeroLine = readZeroLine(config, key("Wve1_", ch, "Pos"), kDefaultZeroLines[ch]);
        if (c.ZeroLine > kZeroLineOnLimit) {
            c.ZeroLine = kZeroLineOff;
        }
        c.ChannelShift = 0;

        int bit = config.readInt(kSection, key("cbbxBit1_", ch), 0);
        c.BitNumber = bit >= 0 && bit <= 31 ? bit : 0;

        c.Color = config.readInt(kSection, key("WveClr1_", ch), kDefaultColors[ch]);

        CompareChannel& cmp = model.Compare[ch];
        cmp.ZeroLineBackup = readZeroLine(config, key("cWve1_", ch, "PosBak"), 32768);
        cmp.ZeroLine = kZeroLineOff;
        cmp.Color = config.readInt(kSection, key("cWveClr1_", ch), kDefaultColors[ch]);

        model.Integral[ch].ZeroLineBackup = readZeroLine(config, key("iWve1_", ch, "PosBak"), 211);
        model.Integral[ch].ZeroLine = kZeroLineOff;
        model.Derivative[ch].ZeroLineBackup =
            readZeroLine(config, key("dWve1_", ch, "PosBak"), 211);
        model.Derivative[ch].ZeroLine = kZeroLineOff;
    }

    model.mx1 = config.readInt(kSection, QStringLiteral("mx1"), 350);
    model.mx2 = config.readInt(kSection, QStringLiteral("mx2"), 550);
    model.my1 = config.readInt(kSection, QStringLiteral("my1"), 350);
    model.my2 = config.readInt(kSection, QStringLiteral("my2"), 450);
    model.MouseAxistX = config.readInt(kSection, QStringLiteral("MouseAxistX"), 500);
    model.MouseAxistY = config.readInt(kSection, QStringLiteral("MouseAxistY"), 500);
    model.BoardColor = config.readInt(kSection, QStringLiteral("BoardColor"), kColorBtnFace);

    // Length items: keys 0..F of FrequencyLelve; the rest of the 80 stay empty.
    int lengthLast =
        std::min(config.readInt(kLengthLevels, QStringLiteral("Length"), 1), kLengthItems - 1);
    model.LengthItems.clear();
    for (int i = 0; i < kLengthItems; ++i) {
        model.LengthItems << (i <= lengthLast
                                  ? trimText(config.readString(kLengthLevels, QString::number(i),
                                                               QStringLiteral("-")))
                                  : QString());
    }
    SetLength(model, config.readInt(kSection, QStringLiteral("WaveFlelve"), 1), config);

    // Trigger window set-up.
    TriggerState& t = model.Trigger;
    t.TypeIndex = config.readInt(kSection, QStringLiteral("TigeType"), 0);
    t.Edge = config.readInt(kSection, QStringLiteral("TigeEdge"), 1) == 1 ? TriggerEdge::Rising
                                                                          : TriggerEdge::Falling;
    int triggerChannel = config.readInt(kSection, QStringLiteral("TigeChannel"), 1);
    t.Channel = triggerChannel >= 1 && triggerChannel <= kWaveChannels ? triggerChannel : 0;
    t.TriggerLevel = uint16_t(config.readInt(kSection, QStringLiteral("TiggerLabPosi"), 300));
    SetTriggerLevel(model, t.TriggerLevel);
}

void SaveWaveSettings(const WaveModel& model, IniFile& config) {
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        const WaveChannel& c = model.Channels[ch];
        config.writeInt(kSection, key("Wve1_", ch, "Idx"), c.SourceIndex);
        config.writeInt(kSection, key("Ch1_", ch, "Rage"), c.RangeIndex);
        config.writeInt(kSection, key("Wve1_", ch, "Pos"), storedZeroLevel(c));
        writeBackup(config, key("Wve1_", ch, "PosBak"), c.ZeroLineBackup);
        writeBackup(config, key("cWve1_", ch, "PosBak"), model.Compare[ch].ZeroLineBackup);
        writeBackup(config, key("iWve1_", ch, "PosBak"), model.Integral[ch].ZeroLineBackup);
        writeBackup(config, key("dWve1_", ch, "PosBak"), model.Derivative[ch].ZeroLineBackup);
        config.writeInt(kSection, key("cbbxBit1_", ch), c.BitNumber);
        config.writeInt(kSection, key("WveClr1_", ch), c.Color);
        config.writeInt(kSection, key("cWveClr1_", ch), model.Compare[ch].Color);
    }
    config.writeInt(kSection, QStringLiteral("mx1"), model.mx1);
    config.writeInt(kSection, QStringLiteral("mx2"), model.mx2);
    config.writeInt(kSection, QStringLiteral("my1"), model.my1);
    config.writeInt(kSection, QStringLiteral("my2"), model.my2);
    config.writeInt(kSection, QStringLiteral("MouseAxistX"), model.MouseAxistX);
    config.writeInt(kSection, QStringLiteral("MouseAxistY"), model.MouseAxistY);
    config.writeInt(kSection, QStringLiteral("WaveFlelve"), model.LengthIndex);
    config.writeInt(kSection, QStringLiteral("BoardColor"), model.BoardColor);

    const TriggerState& t = model.Trigger;
    config.writeInt(kSection, QStringLiteral("TiggerLabPosi"), t.TriggerLevel);
    int triggerChannel = t.Channel.load();
    if (triggerChannel >= 1 && triggerChannel <= kWaveChannels) {
        config.writeInt(kSection, QStringLiteral("TigeChannel"), triggerChannel);
    }
    config.writeInt(kSection, QStringLiteral("TigeType"), t.TypeIndex);
    config.writeInt(kSection, QStringLiteral("TigeEdge"),
                    t.Edge.load() == TriggerEdge::Rising ? 1 : 2);
}

void LoadManualDataTypes(WaveModel& model, const IniFile& config) {
    for (int ch = 0; ch < kWaveChannels; ++ch) {
        int code = config.readInt(kDataTypes, key("Ch", ch), 0);
        model.Channels[ch].SampleType = code >= 0 && code <= 255 ? uint8_t(code) : 0;
    }
}

void SaveManualDataType(const WaveModel& model, int channel, IniFile& config) {
    config.writeInt(kDataTypes, key("Ch", channel), model.Channels[channel].SampleType);
}

SetRangeResult SetRange(WaveModel& model, int channel, int itemIndex, const IniFile& config) {
    if (itemIndex < 0 || itemIndex >= model.RangeItems.size()) {
        return SetRangeResult::Refused;
    }
    QString text = trimText(config.readString(kRangeValues, trimText(model.RangeItems[itemIndex]),
                                              QStringLiteral("0")));
    std::optional<double> value = parseDouble(text);
    // A range without a value per division cannot scale anything: refused like a bad value.
    if (!value || !std::isfinite(*value) || *value == 0.0) {
        return SetRangeResult::Refused;
    }
    WaveChannel& c = model.Channels[channel];
    c.RangeIndex = itemIndex;
    c.ValuePerDivision = *value;
    return SetRangeResult::Changed;
}

void SetLength(WaveModel& model, int itemIndex, const IniFile& config) {
    model.LengthIndex = itemIndex >= 0 && itemIndex < kLengthItems ? itemIndex : -1;
    int count = config.readInt(kLengthScreenCounts, QString::number(model.LengthIndex), 1);
    model.ScreenCount = std::clamp(count, 1, kMaxScreenCount);
}

}  // namespace tevra
