#include "text/Numbers.h"

#include <QString>

#include <cmath>
#include <limits>

namespace tevra {

std::optional<int64_t> parseInt64(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    // Accumulate as a negative number so that INT64_MIN fits.
    int64_t value = 0;
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        const int digit = c - u'0';
        if (value < (kMin + digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin) {
            return std::nullopt;
        }
        value = -value;
    }
    return value;
}

std::optional<int32_t> parseInt32(QStringView text) {
    auto v = parseInt64(text);
    if (!v || *v < std::numeric_limits<int32_t>::min() ||
        *v > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*v);
}

std::optional<uint64_t> parseHex64(QStringView text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        int digit;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            return std::nullopt;
        }
        if (value >> 60) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<uint64_t>(digit);
    }
    return value;
}

std::optional<uint32_t> parseHex32(QStringView text) {
    auto v = parseHex64(text);
    if (!v || *v > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*v);
}

std::optional<int32_t> parseIntSetting(QStringView text) {
    QStringView t = text;
    bool negative = false;
    if (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+')) {
        negative = t[0] == u'-';
        t = t.mid(1);
    }
    std::optional<uint64_t> hex;
    if (t.startsWith(u'$')) {
        hex = parseHex64(t.mid(1));
    } else if (t.startsWith(u"0x", Qt::CaseInsensitive)) {
        hex = parseHex64(t.mid(2));
    } else {
        return parseInt32(text);
    }
    if (!hex || *hex > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    // Hexadecimal settings are 32-bit patterns, as the settings reader always took them.
    auto v = static_cast<int32_t>(static_cast<uint32_t>(*hex));
    return negative ? -v : v;
}

std::optional<double> parseDouble(QStringView text) {
    // Plain decimal grammar: [sign] digits [. digits] [e [sign] digits], at least one digit.
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    bool digits = false;
    while (isDigit(i)) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (isDigit(i)) {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        if (!isDigit(i)) {
            return std::nullopt;
        }
        while (isDigit(i)) {
            ++i;
        }
    }
    if (i != n) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = text.toString().toDouble(&ok);  // QString::toDouble is locale-independent
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

}  // namespace tevra
