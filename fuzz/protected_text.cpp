// Decoding of protected files: any bytes as the hex text, and any bytes as the plain text.
// Decoding never fails except with the two error kinds, re-encoding what was decoded gives
// back the leading blocks of the input, and plain texts survive encoding and decoding.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "description/ProtectedTextFile.h"
#include "text/Gbk.h"
#include "text/TextUtil.h"

using namespace tevra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray key("qz");

    auto plain = decodeProtectedBytes(input, key);
    if (plain) {
        auto again = encodeProtectedBytes(*plain, key);
        if (!again) {
            __builtin_trap();  // a decoded text never ends with NUL
        }
        // Trailing NUL blocks vanish; everything before them comes back, upper-cased.
        if (!input.left(input.size() / 16 * 16).toUpper().startsWith(*again)) {
            __builtin_trap();
        }
        (void)splitLines(fromGbk(*plain));
    } else if (plain.error().kind != DescriptionErrorKind::NotHex) {
        __builtin_trap();
    }

    auto hex = encodeProtectedBytes(input, key);
    if (hex) {
        auto back = decodeProtectedBytes(*hex, key);
        if (!back || *back != input) {
            __builtin_trap();
        }
    } else if (input.isEmpty() || input.back() != '\0') {
        __builtin_trap();
    }

    auto text = DecodeProtectedText(QString::fromLatin1(input));
    (void)text;
    return 0;
}
