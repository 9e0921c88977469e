#include "shell/BaudTable.h"

#include <array>

#include "text/TextUtil.h"

namespace tevra::baud {
namespace {

constexpr std::array<int, kCount> kRates = {0,     460800, 2457600, 3000000, 1228800, 921600,
                                            4800,  9600,   14400,   19200,   38400,   56000,
                                            57600, 115200, 128000,  230400};

}  // namespace

QString Text(int index) {
    if (index < 0 || index >= kCount) {
        return QString();
    }
    if (index == kCustom) {
        return QStringLiteral("Custom");
    }
    return QString::number(kRates[static_cast<size_t>(index)]) + QStringLiteral("bps");
}

int Rate(int index) {
    if (index < 0 || index >= kCount) {
        return 0;
    }
    return kRates[static_cast<size_t>(index)];
}

int IndexOf(const QString& text) {
    const QString t = trimText(text);
    for (int i = 0; i < kCount; ++i) {
        if (Text(i) == t) {
            return i;
        }
    }
    return -1;
}

QStringList ChoiceList() {
    return {Text(7), Text(9), Text(10), Text(12), Text(13)};
}

}  // namespace tevra::baud
