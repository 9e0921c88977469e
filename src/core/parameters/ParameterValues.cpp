#include "parameters/ParameterValues.h"

#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra {

QString GridValueText(const QString& decimal) {
    return QStringLiteral("   ") + decimal;
}

QString PrNumberText(uint32_t pr) {
    return hexText(pr, 2);
}

std::optional<uint32_t> ParsePrNumberText(const QString& text) {
    const QString t = trimText(text);
    if (t.isEmpty()) {
        return std::nullopt;
    }
    return parseHex32(t);
}

ReadKind ReadKindOf(uint8_t typeCode) {
    switch (typeCode) {
        case 0:
            return ReadKind::Int16;
        case 1:
            return ReadKind::Uint16;
        case 2:
            return ReadKind::Int32;
        case 3:
            return ReadKind::Uint32;
        default:
            return ReadKind::None;
    }
}

bool IsWordRead(ReadKind kind) {
    return kind == ReadKind::Int16 || kind == ReadKind::Uint16;
}

QString ReadValueText(ReadKind kind, uint32_t raw) {
    switch (kind) {
        case ReadKind::Int16:
            return QString::number(static_cast<int16_t>(static_cast<uint16_t>(raw)));
        case ReadKind::Uint16:
            return QString::number(static_cast<uint16_t>(raw));
        case ReadKind::Int32:
            return QString::number(static_cast<int32_t>(raw));
        case ReadKind::Uint32:
            return QString::number(raw);
        case ReadKind::None:
            break;
    }
    return QString();
}

WriteWidth WriteWidthOf(const QString& typeName) {
    const QString t = trimText(typeName);
    if (t.isEmpty() || equalsNoCase(t, u"Int16") || equalsNoCase(t, u"Uint16")) {
        return WriteWidth::Word;
    }
    if (equalsNoCase(t, u"Int32") || equalsNoCase(t, u"Uint32")) {
        return WriteWidth::DoubleWord;
    }
    return WriteWidth::None;
}

bool IsPowerUpParameter(const ParameterEntry& entry) {
    return trimText(entry.EffectMode) == QLatin1String("1");
}

QString EffectModeText(const QString& effectMode) {
    const QString m = trimText(effectMode);
    if (m == QLatin1String("0")) {
        return QStringLiteral(u"即时生效");
    }
    if (m == QLatin1String("1")) {
        return QStringLiteral(u"上电生效");
    }
    if (m == QLatin1String("2")) {
        return QStringLiteral(u"伺服ON生效");
    }
    return QString();
}

int FindParameterIndex(const ParameterList& entries, uint32_t pr) {
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].PrNumber == pr) {
            return i;
        }
    }
    return -1;
}

}  // namespace tevra
