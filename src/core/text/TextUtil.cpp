#include "text/TextUtil.h"

namespace tevra {

QStringView trimView(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32) {
        ++begin;
    }
    while (end > begin && text[end - 1].unicode() <= 32) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

QString trimText(QStringView text) {
    return trimView(text).toString();
}

QStringList splitLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start).toString());
            if (c == u'\r' && i + 1 < n && text[i + 1].unicode() == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start).toString());
    }
    return lines;
}

QString joinLinesCrLf(const QStringList& lines) {
    QString out;
    qsizetype total = 0;
    for (const QString& l : lines) {
        total += l.size() + 2;
    }
    out.reserve(total);
    for (const QString& l : lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}

bool equalsNoCase(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool containsNoCase(QStringView haystack, QStringView needle) {
    return haystack.contains(needle, Qt::CaseInsensitive);
}

bool startsWithNoCase(QStringView text, QStringView prefix) {
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

QString removeAllNoCase(QString text, QStringView pattern) {
    if (pattern.isEmpty()) {
        return text;
    }
    return text.remove(pattern.toString(), Qt::CaseInsensitive);
}

QString hexText(uint64_t value, int minDigits) {
    QString s = QString::number(value, 16).toUpper();
    if (s.size() < minDigits) {
        s = QString(minDigits - s.size(), QLatin1Char('0')) + s;
    }
    return s;
}

QString fitField(const QString& text, int capacity) {
    return text.size() > capacity ? text.left(capacity) : text;
}

}  // namespace tevra
