#include "shell/SerialTimeoutSettings.h"

#include "ini/IniFile.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra::serial_timeouts {
namespace {

const QString kSection = QStringLiteral("TimesOut1");

std::array<int*, kCount> fields(SerialTimeouts& t) {
    return {&t.readInterval, &t.readTotalConstant, &t.readTotalMultiplier, &t.writeTotalConstant,
            &t.writeTotalMultiplier};
}

}  // namespace

const std::array<QString, kCount>& KeyNames() {
    static const std::array<QString, kCount> names = {
        QStringLiteral("edtReadInterval1"), QStringLiteral("edtReadTotalConstant1"),
        QStringLiteral("edtReadTotalMultiplier1"), QStringLiteral("edtWriteTotalConstant1"),
        QStringLiteral("edtWriteTotalMultiplier1")};
    return names;
}

Texts Load(const IniFile& config) {
    Texts texts;
    for (int i = 0; i < kCount; ++i) {
        texts[i] = trimText(config.readString(kSection, KeyNames()[i], QStringLiteral("20")));
    }
    return texts;
}

Texts FromPort(const SerialTimeouts& timeouts) {
    SerialTimeouts copy = timeouts;
    const auto f = fields(copy);
    Texts texts;
    for (int i = 0; i < kCount; ++i) {
        texts[i] = QString::number(*f[i]);
    }
    return texts;
}

bool Apply(const Texts& texts, SerialPort& port) {
    SerialTimeouts t = port.timeouts();
    const auto f = fields(t);
    bool allTaken = true;
    for (int i = 0; i < kCount; ++i) {
        const auto v = parseInt32(trimText(texts[i]));
        if (v && *v >= 0) {
            *f[i] = *v;
        } else {
            allTaken = false;
        }
    }
    return port.setTimeouts(t) && allTaken;
}

bool Confirm(const Texts& edits, IniFile& config, SerialPort& port) {
    Texts trimmed;
    for (int i = 0; i < kCount; ++i) {
        trimmed[i] = trimText(edits[i]);
        config.writeString(kSection, KeyNames()[i], trimmed[i]);
    }
    config.save();
    Apply(trimmed, port);
    return FromPort(port.timeouts()) == trimmed;
}

}  // namespace tevra::serial_timeouts
