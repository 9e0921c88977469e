#include "description/ProtectedTextFile.h"

#include <QFile>
#include <QFileInfo>

#include <array>

#include "description/DesEcb.h"
#include "text/Gbk.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

constexpr int kBlock = 8;

QByteArrayView trimBytes(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<uint8_t>(bytes[begin]) <= 32) {
        ++begin;
    }
    while (end > begin && static_cast<uint8_t>(bytes[end - 1]) <= 32) {
        --end;
    }
    return bytes.sliced(begin, end - begin);
}

// The lines of a byte text, split at CR LF, lone CR or lone LF, each followed by CR LF.
QByteArray normaliseLineBreaks(QByteArrayView bytes) {
    QByteArray out;
    out.reserve(bytes.size() + 2);
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out.append(bytes.sliced(start, i - start));
            out.append("\r\n", 2);
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        out.append(bytes.sliced(start));
        out.append("\r\n", 2);
    }
    return out;
}

constexpr std::array<int8_t, 256> makeHexTable() {
    std::array<int8_t, 256> t{};
    for (auto& v : t) {
        v = -1;
    }
    for (int i = 0; i < 10; ++i) {
        t['0' + i] = static_cast<int8_t>(i);
    }
    for (int i = 0; i < 6; ++i) {
        t['A' + i] = static_cast<int8_t>(10 + i);
        t['a' + i] = static_cast<int8_t>(10 + i);
    }
    return t;
}
constexpr auto kHexValue = makeHexTable();

DescriptionError error(DescriptionErrorKind kind, QString message, QString file = QString()) {
    DescriptionError e;
    e.kind = kind;
    e.message = std::move(message);
    e.file = std::move(file);
    return e;
}

DescriptionError notHex() {
    return error(DescriptionErrorKind::NotHex, QStringLiteral("Error: not a Hex String"));
}

DescriptionResult<QByteArray> readAndDecode(const QString& path, const QString& shownName) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        return error(DescriptionErrorKind::FileMissing,
                     QStringLiteral("the file does not exist (%1)").arg(path), shownName);
    }
    auto bytes = readFileBytes(path);
    if (!bytes) {
        return error(DescriptionErrorKind::FileUnreadable,
                     QStringLiteral("the file cannot be read (%1)").arg(path), shownName);
    }
    auto plain = decodeProtectedBytes(trimBytes(*bytes), toGbk(protected_file::kKey));
    if (!plain) {
        DescriptionError e = plain.error();
        e.file = shownName;
        return e;
    }
    return plain;
}

DescriptionStatus writePlainCopy(const ProgramFolders& folders, const QString& plainName,
                                 const QByteArray& lines) {
    QString why;
    if (!writeFileAtomically(folders.tempPath(plainName), lines, &why)) {
        return error(DescriptionErrorKind::WriteFailed,
                     QStringLiteral("the plain copy cannot be written: %1").arg(why),
                     folders.tempPath(plainName));
    }
    return DescriptionOk{};
}

}  // namespace

DescriptionResult<QByteArray> encodeProtectedBytes(QByteArrayView plain, QByteArrayView key) {
    if (!plain.isEmpty() && plain.back() == '\0') {
        return error(DescriptionErrorKind::LastCharNul,
                     QStringLiteral("Error: the last char is NULL char."));
    }
    QByteArray padded(plain.data(), plain.size());
    if (padded.size() % kBlock != 0) {
        padded.append(kBlock - padded.size() % kBlock, '\0');
    }
    const QByteArray cipher = desEcbEncrypt(padded, key);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QByteArray hex(cipher.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < cipher.size(); ++i) {
        const auto b = static_cast<uint8_t>(cipher[i]);
        hex[2 * i] = kDigits[b >> 4];
        hex[2 * i + 1] = kDigits[b & 0x0F];
    }
    return hex;
}

DescriptionResult<QByteArray> decodeProtectedBytes(QByteArrayView hex, QByteArrayView key) {
    const qsizetype pairs = hex.size() / 2;
    QByteArray cipher(pairs, Qt::Uninitialized);
    for (qsizetype i = 0; i < pairs; ++i) {
        const int hi = kHexValue[static_cast<uint8_t>(hex[2 * i])];
        const int lo = kHexValue[static_cast<uint8_t>(hex[2 * i + 1])];
        if (hi < 0 || lo < 0) {
            return notHex();
        }
        cipher[i] = static_cast<char>((hi << 4) | lo);
    }
    QByteArray plain = desEcbDecrypt(cipher, key);
    qsizetype end = plain.size();
    while (end > 0 && plain[end - 1] == '\0') {
        --end;
    }
    plain.truncate(end);
    return plain;
}

DescriptionResult<QString> EncodeProtectedText(const QString& plain, const QString& key) {
    auto hex = encodeProtectedBytes(toGbk(plain), toGbk(key));
    if (!hex) {
        return hex.error();
    }
    return QString::fromLatin1(*hex);
}

DescriptionResult<QString> DecodeProtectedText(const QString& hex, const QString& key) {
    // Characters outside Latin-1 become "?", which is no digit either.
    auto plain = decodeProtectedBytes(hex.left(hex.size() / 2 * 2).toLatin1(), toGbk(key));
    if (!plain) {
        return plain.error();
    }
    return fromGbk(*plain);
}

DescriptionResult<QByteArray> readProtectedFileBytes(const QString& path) {
    return readAndDecode(path, path);
}

DescriptionResult<QStringList> readProtectedFileLines(const QString& path) {
    auto plain = readAndDecode(path, path);
    if (!plain) {
        return plain.error();
    }
    return splitLines(fromGbk(*plain));
}

DescriptionStatus writeProtectedFileBytes(const QString& path, QByteArrayView plain) {
    auto hex = encodeProtectedBytes(trimBytes(plain), toGbk(protected_file::kKey));
    if (!hex) {
        DescriptionError e = hex.error();
        e.file = path;
        return e;
    }
    hex->append("\r\n", 2);
    QString why;
    if (!writeFileAtomically(path, *hex, &why)) {
        return error(DescriptionErrorKind::WriteFailed,
                     QStringLiteral("the file cannot be written: %1").arg(why), path);
    }
    return DescriptionOk{};
}

DescriptionResult<QStringList> LoadProtectedFile(const ProgramFolders& folders,
                                                 const QString& relativeName) {
    auto plain = readAndDecode(folders.programPath(relativeName), relativeName);
    if (!plain) {
        return plain.error();
    }
    return splitLines(fromGbk(*plain));
}

DescriptionStatus ExtractProtectedFile(const ProgramFolders& folders, const QString& relativeName,
                                       const QString& plainName) {
    auto text = ExtractProtectedFileText(folders, relativeName, plainName);
    if (!text) {
        return text.error();
    }
    return DescriptionOk{};
}

DescriptionResult<QString> ExtractProtectedFileText(const ProgramFolders& folders,
                                                    const QString& relativeName,
                                                    const QString& plainName) {
    auto plain = readAndDecode(folders.programPath(relativeName), relativeName);
    if (!plain) {
        return plain.error();
    }
    // The copy keeps the decoded bytes: only the line breaks are made CR LF.
    const QByteArray lines = normaliseLineBreaks(*plain);
    auto written = writePlainCopy(folders, plainName, lines);
    if (!written) {
        return written.error();
    }
    return fromGbk(trimBytes(lines).toByteArray());
}

DescriptionStatus SaveProtectedFile(const ProgramFolders& folders, const QString& relativeName,
                                    const QString& plainText) {
    auto saved =
        writeProtectedFileBytes(folders.programPath(relativeName), toGbk(trimText(plainText)));
    if (!saved) {
        DescriptionError e = saved.error();
        e.file = relativeName;
        return e;
    }
    return DescriptionOk{};
}

DescriptionStatus ExtractSystemPlainCopies(const ProgramFolders& folders) {
    auto define = ExtractProtectedFile(folders, protected_file::kSystemDescription,
                                       protected_file::kDefinePlain);
    if (!define) {
        return define;
    }
    return ExtractProtectedFile(folders, protected_file::kGainTable, protected_file::kGainPlain);
}

void RemovePlainCopiesAtExit(const ProgramFolders& folders, bool administratorMode) {
    if (administratorMode) {
        return;
    }
    for (const QString& name : {protected_file::kDefinePlain, protected_file::kGainPlain,
                                QStringLiteral("~tmpDri1.dll")}) {
        const QString path = folders.tempPath(name);
        if (QFileInfo::exists(path)) {
            QFile::remove(path);
        }
    }
}

}  // namespace tevra
