#include "scope/display/FormatFloat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tevra {

namespace {

struct Picture {
    int minDecimals = 0;
    int maxDecimals = 0;
};

Picture parsePicture(QStringView picture) {
    Picture p;
    const qsizetype point = picture.indexOf(u'.');
    if (point < 0) {
        return p;
    }
    for (qsizetype i = point + 1; i < picture.size(); ++i) {
        if (picture[i] == u'0') {
            ++p.minDecimals;
            ++p.maxDecimals;
        } else if (picture[i] == u'#') {
            ++p.maxDecimals;
        }
    }
    return p;
}

}  // namespace

QString formatFloat(double value, QStringView picture) {
    if (std::isnan(value)) {
        return QStringLiteral("NAN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    }
    const Picture pic = parsePicture(picture);

    // Shortest fixed-point text that reads back as the same double.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    std::string digits(buffer, result.ptr);
    std::string intPart = digits;
    std::string fracPart;
    if (const auto point = digits.find('.'); point != std::string::npos) {
        intPart = digits.substr(0, point);
        fracPart = digits.substr(point + 1);
    }

    // Round half away from zero at maxDecimals.
    if (static_cast<int>(fracPart.size()) > pic.maxDecimals) {
        const bool roundUp = fracPart[static_cast<size_t>(pic.maxDecimals)] >= '5';
        fracPart.resize(static_cast<size_t>(pic.maxDecimals));
        if (roundUp) {
            std::string all = intPart + fracPart;
            int i = static_cast<int>(all.size()) - 1;
            while (i >= 0 && all[static_cast<size_t>(i)] == '9') {
                all[static_cast<size_t>(i)] = '0';
                --i;
            }
            if (i < 0) {
                all.insert(all.begin(), '1');
            } else {
                ++all[static_cast<size_t>(i)];
            }
            intPart = all.substr(0, all.size() - fracPart.size());
            fracPart = all.substr(all.size() - fracPart.size());
        }
    }
    while (static_cast<int>(fracPart.size()) > pic.minDecimals && !fracPart.empty() &&
           fracPart.back() == '0') {
        fracPart.pop_back();
    }
    while (static_cast<int>(fracPart.size()) < pic.minDecimals) {
        fracPart.push_back('0');
    }

    const bool allZero = intPart.find_first_not_of('0') == std::string::npos &&
                         fracPart.find_first_not_of('0') == std::string::npos;
    std::string text;
    if (value < 0 && !allZero) {
        text.push_back('-');
    }
    text += intPart;
    if (!fracPart.empty()) {
        text.push_back('.');
        text += fracPart;
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tevra
