#include "shell/Options.h"

#include <cmath>

#include "ini/IniFile.h"
#include "shell/AppContext.h"
#include "shell/PollingScheduler.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra::options {
namespace {

const QString kSection = QStringLiteral("frmOptions");
const QString kDataAdaptMode = QStringLiteral("DataAdaptMode");
const QString kFrequency = QStringLiteral("edtCalcimineFrqncy");
const QString kCommErrMax = QStringLiteral("edtCommErrMax");
const QString kWaveCommErrMax = QStringLiteral("edtWaveCommErrMax");
const QString kScanTime = QStringLiteral("edtScanTime");

bool frequencyInRange(int f) {
    return f >= kMinRefreshFrequency && f <= kMaxRefreshFrequency;
}

}  // namespace

int Timer2IntervalFor(int frequency) {
    if (frequency <= 0) {
        frequency = kDefaultRefreshFrequency;
    }
    // Exact integer rounding: q = 1000 / f with remainder r; a half (2r == f) goes to the
    // even quotient.
    const int q = 1000 / frequency;
    const int r = 1000 % frequency;
    if (2 * r > frequency || (2 * r == frequency && (q % 2) != 0)) {
        return q + 1;
    }
    return q;
}

int IntegerOrDefault(const QString& text, int defaultValue) {
    return parseInt32(trimText(text)).value_or(defaultValue);
}

Values Load(const IniFile& config) {
    Values v;
    const QString mode = config.readString(kSection, kDataAdaptMode, QStringLiteral("1"));
    if (mode == u"0") {
        v.dataTypeAutomatic = true;
    } else if (mode == u"1") {
        v.dataTypeAutomatic = false;
    }
    const int f =
        IntegerOrDefault(config.readString(kSection, kFrequency), kDefaultRefreshFrequency);
    v.refreshFrequency = frequencyInRange(f) ? f : kDefaultRefreshFrequency;
    v.commErrMaxText = trimText(config.readString(kSection, kCommErrMax, QStringLiteral("10")));
    v.waveCommErrMaxText =
        trimText(config.readString(kSection, kWaveCommErrMax, QStringLiteral("100")));
    v.scanTimeText = trimText(config.readString(kSection, kScanTime, QStringLiteral("4")));
    return v;
}

void Apply(const Values& values, AppContext& ctx) {
    if (values.dataTypeAutomatic) {
        ctx.options.dataTypeAutomatic = *values.dataTypeAutomatic;
    }
    ctx.options.waveRefreshFrequency = values.refreshFrequency;
    ctx.options.Timer2Interval = Timer2IntervalFor(values.refreshFrequency);
    if (ctx.link) {
        ctx.link->commErrMax.store(IntegerOrDefault(values.commErrMaxText, kDefaultCommErrMax));
        ctx.link->waveCommErrMax.store(
            IntegerOrDefault(values.waveCommErrMaxText, kDefaultWaveCommErrMax));
    }
    if (ctx.scheduler) {
        ctx.scheduler->ScanTime = IntegerOrDefault(values.scanTimeText, kDefaultScanTime);
    }
}

ConfirmResult Confirm(const Input& input, IniFile& config, AppContext& ctx,
                      const std::function<void()>& sourceChange) {
    if (input.automaticChecked) {
        config.writeString(kSection, kDataAdaptMode, QStringLiteral("0"));
        ctx.options.dataTypeAutomatic = true;
        if (sourceChange) {
            sourceChange();
        }
    } else if (input.manualChecked) {
        config.writeString(kSection, kDataAdaptMode, QStringLiteral("1"));
        ctx.options.dataTypeAutomatic = false;
    }

    const int f = IntegerOrDefault(input.refreshFrequencyText, kDefaultRefreshFrequency);
    if (!frequencyInRange(f)) {
        config.save();
        return ConfirmResult::FrequencyOutOfRange;
    }

    Values v;
    v.refreshFrequency = f;
    v.commErrMaxText = trimText(input.commErrMaxText);
    v.waveCommErrMaxText = trimText(input.waveCommErrMaxText);
    v.scanTimeText = trimText(input.scanTimeText);

    config.writeInt(kSection, kFrequency, f);
    config.writeString(kSection, kCommErrMax, v.commErrMaxText);
    // These two are stored as typed; their trimmed values are applied.
    config.writeString(kSection, kWaveCommErrMax, input.waveCommErrMaxText);
    config.writeString(kSection, kScanTime, input.scanTimeText);
    config.save();
    Apply(v, ctx);
    return ConfirmResult::Saved;
}

}  // namespace tevra::options
