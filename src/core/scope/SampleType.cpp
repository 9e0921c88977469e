#include "scope/SampleType.h"

#include <array>
#include <bit>

namespace tevra {
namespace {

using namespace sample_type;

// 2^q as an unsigned 32-bit integer (2^31 for q = 31), divided in floating point.
double divideByQ(double value, int q) {
    return value / static_cast<double>(uint32_t{1} << q);
}

// The decimal Q number of a name's tail ("0".."31", no sign, no leading zero).
std::optional<int> qFromDigits(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 2) {
        return std::nullopt;
    }
    int q = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        q = q * 10 + (c.unicode() - u'0');
    }
    if (digits.size() == 2 && digits[0] == u'0') {
        return std::nullopt;
    }
    if (q > kMaxQ) {
        return std::nullopt;
    }
    return q;
}

}  // namespace

double ConvertSample(uint8_t code, uint32_t raw) {
    const auto low16 = static_cast<uint16_t>(raw & 0xFFFFu);
    switch (code) {
        case kInt16:
            return static_cast<int16_t>(low16);
        case kUint16:
            return low16;
        case kInt32:
            return static_cast<int32_t>(raw);
        case kUint32:
            return raw;
        case kFloat32:
            return std::bit_cast<float>(raw);
        default:
            break;
    }
    if (code >= kIqBase && code < kUiqBase) {
        const int q = code - kIqBase;
        return q < 16 ? divideByQ(static_cast<int16_t>(low16), q)
                      : divideByQ(static_cast<int32_t>(raw), q);
    }
    if (code >= kUiqBase && code < kFloat32) {
        const int q = code - kUiqBase;
        return q < 16 ? divideByQ(low16, q) : divideByQ(raw, q);
    }
    return 0.0;
}

int sampleWords(uint8_t code) {
    switch (code) {
        case kInt16:
        case kUint16:
            return 1;
        case kInt32:
        case kUint32:
        case kFloat32:
            return 2;
        default:
            break;
    }
    if (code >= kIqBase && code < kFloat32) {
        return sampleQNumber(code) < 16 ? 1 : 2;
    }
    return 0;
}

int sampleQNumber(uint8_t code) {
    if (code >= kIqBase && code < kUiqBase) {
        return code - kIqBase;
    }
    if (code >= kUiqBase && code < kFloat32) {
        return code - kUiqBase;
    }
    return 0;
}

uint8_t sampleTypeFromName(QStringView name) {
    static constexpr std::array<std::pair<const char16_t*, uint8_t>, 6> kFixed{{
        {u"Int16", kInt16},
        {u"Uint16", kUint16},
        {u"Int32", kInt32},
        {u"Uint32", kUint32},
        {u"_IQ", kUnusedIq},
        {u"Float32", kFloat32},
    }};
    for (const auto& [text, code] : kFixed) {
        if (name.compare(QStringView(text), Qt::CaseInsensitive) == 0) {
            return code;
        }
    }
    if (name.startsWith(u"uIQ", Qt::CaseInsensitive)) {
        if (auto q = qFromDigits(name.mid(3))) {
            return uiq(*q);
        }
    } else if (name.startsWith(u"IQ", Qt::CaseInsensitive)) {
        if (auto q = qFromDigits(name.mid(2))) {
            return iq(*q);
        }
    }
    return kInt16;
}

QString sampleTypeName(uint8_t code) {
    switch (code) {
        case kInt16:
            return QStringLiteral("Int16");
        case kUint16:
            return QStringLiteral("Uint16");
        case kInt32:
            return QStringLiteral("Int32");
        case kUint32:
            return QStringLiteral("Uint32");
        case kUnusedIq:
            return QStringLiteral("_IQ");
        case kFloat32:
            return QStringLiteral("Float32");
        default:
            break;
    }
    if (code >= kIqBase && code < kUiqBase) {
        return QStringLiteral("IQ") + QString::number(code - kIqBase);
    }
    if (code >= kUiqBase && code < kFloat32) {
        return QStringLiteral("uIQ") + QString::number(code - kUiqBase);
    }
    return QString();
}

std::optional<uint8_t> sampleTypeFromRegisterWord(QStringView word) {
    static constexpr std::array<std::pair<const char16_t*, uint8_t>, 6> kWords{{
        {u"INT16", kInt16},
        {u"UINT16", kUint16},
        {u"INT32", kInt32},
        {u"UINT32", kUint32},
        {u"FLOAT32", kFloat32},
        {u"_IQ", iq(15)},
    }};
    for (const auto& [text, code] : kWords) {
        if (word.compare(QStringView(text), Qt::CaseInsensitive) == 0) {
            return code;
        }
    }
    return std::nullopt;
}

DataTypeSelection dataTypeSelectionForCode(uint8_t code) {
    switch (code) {
        case kInt16:
            return {DataTypeChoice::Int16, 0};
        case kUint16:
            return {DataTypeChoice::Uint16, 0};
        case kInt32:
            return {DataTypeChoice::Int32, 0};
        case kUint32:
            return {DataTypeChoice::Uint32, 0};
        case kFloat32:
            return {DataTypeChoice::Float32, 0};
        default:
            break;
    }
    if (code >= kIqBase && code < kUiqBase) {
        return {DataTypeChoice::IQ, code - kIqBase};
    }
    if (code >= kUiqBase && code < kFloat32) {
        return {DataTypeChoice::UIQ, code - kUiqBase};
    }
    return {};
}

std::optional<uint8_t> sampleTypeForSelection(const DataTypeSelection& selection) {
    switch (selection.choice) {
        case DataTypeChoice::Int16:
            return kInt16;
        case DataTypeChoice::Uint16:
            return kUint16;
        case DataTypeChoice::Int32:
            return kInt32;
        case DataTypeChoice::Uint32:
            return kUint32;
        case DataTypeChoice::Float32:
            return kFloat32;
        case DataTypeChoice::IQ:
        case DataTypeChoice::UIQ:
            if (selection.q < 0 || selection.q > kMaxQ) {
                return std::nullopt;
            }
            return selection.choice == DataTypeChoice::IQ ? iq(selection.q) : uiq(selection.q);
        case DataTypeChoice::None:
            break;
    }
    return std::nullopt;
}

}  // namespace tevra
