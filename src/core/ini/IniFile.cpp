#include "ini/IniFile.h"

#include "text/Gbk.h"
#include "text/Numbers.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

// The section name of a header line "[name]", or no value for other lines.
std::optional<QString> headerName(const QString& trimmed) {
    if (!trimmed.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0) {
        return std::nullopt;
    }
    return trimText(QStringView(trimmed).mid(1, close - 1));
}

struct KeyValue {
    QString key;
    QString value;
};

std::optional<KeyValue> keyValue(const QString& trimmed) {
    if (trimmed.isEmpty() || trimmed.startsWith(u';')) {
        return std::nullopt;
    }
    const qsizetype eq = trimmed.indexOf(u'=');
    if (eq < 0) {
        return std::nullopt;
    }
    return KeyValue{trimText(QStringView(trimmed).left(eq)),
                    trimText(QStringView(trimmed).mid(eq + 1))};
}

QString decodeLine(const QByteArray& raw) {
    return trimText(fromGbk(raw));
}

}  // namespace

IniFile::Line IniFile::makeLine(const QByteArray& raw) {
    return Line{raw, decodeLine(raw)};
}

IniFile::IniFile(const QString& path) : path_(path) {
    if (auto bytes = readFileBytes(path)) {
        exists_ = true;
        parse(*bytes);
    }
}

IniFile IniFile::fromBytes(const QByteArray& bytes) {
    IniFile f;
    f.exists_ = true;
    f.parse(bytes);
    return f;
}

void IniFile::parse(const QByteArray& bytes) {
    lines_.clear();
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines_.append(makeLine(bytes.mid(start, i - start)));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines_.append(makeLine(bytes.mid(start)));
    }
}

qsizetype IniFile::findSection(const QString& section) const {
    const QString wanted = trimText(section);
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString t = lines_[i].text;
        if (auto name = headerName(t); name && equalsNoCase(*name, wanted)) {
            return i;
        }
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const {
    for (qsizetype i = header + 1; i < lines_.size(); ++i) {
        if (headerName(lines_[i].text)) {
            return i;
        }
    }
    return lines_.size();
}

qsizetype IniFile::findKey(qsizetype header, const QString& key) const {
    const QString wanted = trimText(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (auto kv = keyValue(lines_[i].text); kv && equalsNoCase(kv->key, wanted)) {
            return i;
        }
    }
    return -1;
}

bool IniFile::hasSection(const QString& section) const {
    return findSection(section) >= 0;
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    return value(section, key).has_value();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const qsizetype header = findSection(section);
    if (header < 0) {
        return std::nullopt;
    }
    const qsizetype line = findKey(header, key);
    if (line < 0) {
        return std::nullopt;
    }
    return keyValue(lines_[line].text)->value;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    return value(section, key).value_or(defaultValue);
}

int IniFile::readInt(const QString& section, const QString& key, int defaultValue) const {
    auto v = value(section, key);
    if (!v) {
        return defaultValue;
    }
    return parseIntSetting(*v).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::readFloat(const QString& section, const QString& key, double defaultValue) const {
    auto v = value(section, key);
    if (!v) {
        return defaultValue;
    }
    return parseDouble(*v).value_or(defaultValue);
}

QStringList IniFile::keys(const QString& section) const {
    QStringList out;
    const qsizetype header = findSection(section);
    if (header < 0) {
        return out;
    }
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (auto kv = keyValue(lines_[i].text)) {
            bool seen = false;
            for (const QString& k : out) {
                seen = seen || equalsNoCase(k, kv->key);
            }
            if (!seen) {
                out.append(kv->key);
            }
        }
    }
    return out;
}

QStringList IniFile::sections() const {
    QStringList out;
    for (const Line& l : lines_) {
        if (auto name = headerName(l.text)) {
            bool seen = false;
            for (const QString& s : out) {
                seen = seen || equalsNoCase(s, *name);
            }
            if (!seen) {
                out.append(*name);
            }
        }
    }
    return out;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QByteArray line = toGbk(trimText(key) + u'=' + value);
    qsizetype header = findSection(section);
    if (header < 0) {
        lines_.append(makeLine(toGbk(u'[' + trimText(section) + u']')));
        lines_.append(makeLine(line));
        modified_ = true;
        return;
    }
    const qsizetype existing = findKey(header, key);
    if (existing >= 0) {
        if (lines_[existing].raw != line) {
            lines_[existing] = makeLine(line);
            modified_ = true;
        }
        return;
    }
    // A new key goes after the last non-blank line of its section.
    qsizetype insertAt = sectionEnd(header);
    while (insertAt > header + 1 && lines_[insertAt - 1].text.isEmpty()) {
        --insertAt;
    }
    lines_.insert(insertAt, makeLine(line));
    modified_ = true;
}

void IniFile::writeInt(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeFloat(const QString& section, const QString& key, double value) {
    writeString(section, key, QString::number(value, 'g', 15));
}

void IniFile::deleteKey(const QString& section, const QString& key) {
    const qsizetype header = findSection(section);
    if (header < 0) {
        return;
    }
    const qsizetype line = findKey(header, key);
    if (line >= 0) {
        lines_.remove(line);
        modified_ = true;
    }
}

QByteArray IniFile::toBytes() const {
    QByteArray out;
    for (const Line& l : lines_) {
        out += l.raw;
        out += "\r\n";
    }
    return out;
}

bool IniFile::save(QString* error) {
    return saveAs(path_, error);
}

bool IniFile::saveAs(const QString& path, QString* error) {
    if (!writeFileAtomically(path, toBytes(), error)) {
        return false;
    }
    path_ = path;
    exists_ = true;
    modified_ = false;
    return true;
}

}  // namespace tevra
