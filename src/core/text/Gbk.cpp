#include "text/Gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

namespace tevra {
namespace {

// glibc's CP936 is the Windows flavour of GBK (0x80 is the euro sign).
constexpr const char* kGbkName = "CP936";

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false at an invalid or incomplete sequence,
    // leaving in/inLeft at the offending byte.
    bool run(char*& in, size_t& inLeft, QByteArray& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t r = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) {
                    continue;
                }
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

  private:
    iconv_t cd_;
};

std::mutex& converterMutex() {
    static std::mutex m;
    return m;
}

Converter& decoder() {
    static Converter c("UTF-16LE", kGbkName);
    return c;
}

Converter& encoder() {
    static Converter c(kGbkName, "UTF-16LE");
    return c;
}

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString fromGbk(const QByteArray& bytes) {
    if (isAscii(bytes)) {
        return QString::fromLatin1(bytes);
    }
    std::lock_guard lock(converterMutex());
    Converter& c = decoder();
    QByteArray utf16;
    QByteArray input = bytes;
    char* in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        if (!c.run(in, inLeft, utf16)) {
            // Replace the offending byte and go on after it.
            utf16.append("\xFD\xFF", 2);
            ++in;
            --inLeft;
        }
    }
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QByteArray toGbk(const QString& text) {
    bool ascii = true;
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        return text.toLatin1();
    }
    std::lock_guard lock(converterMutex());
    Converter& c = encoder();
    QByteArray out;
    QByteArray input(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    char* in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        if (!c.run(in, inLeft, out)) {
            // One UTF-16 unit (or a surrogate pair) that has no GBK form.
            out.append('?');
            size_t skip = 2;
            if (inLeft >= 4) {
                const auto hi = static_cast<unsigned char>(in[1]);
                if (hi >= 0xD8 && hi <= 0xDB) {
                    skip = 4;
                }
            }
            skip = std::min(skip, inLeft);
            in += skip;
            inLeft -= skip;
        }
    }
    return out;
}

}  // namespace tevra
