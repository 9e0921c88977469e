#include "description/SectionScanner.h"

#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

bool endsSection(QStringView line) {
    return line.startsWith(u'[') && line.contains(u']');
}

bool isHeader(QStringView line, HeaderMatch match, QStringView header) {
    if (match == HeaderMatch::Exact) {
        return equalsNoCase(line, header);
    }
    return !line.startsWith(u';') && line.contains(u'[') && containsNoCase(line, header);
}

}  // namespace

DescriptionText::DescriptionText(const QStringList& lines, QString file)
    : lines_(lines), file_(std::move(file)) {
    trimmed_.reserve(lines_.size());
    for (const QString& l : std::as_const(lines_)) {
        trimmed_.append(trimView(l));
    }
}

QVector<SectionSpan> findSections(const DescriptionText& text, HeaderMatch match,
                                  QStringView header, int scanLimit) {
    QVector<SectionSpan> spans;
    const qsizetype n = text.size();
    for (qsizetype h = 0; h < n; ++h) {
        if (!isHeader(text.line(h), match, header)) {
            continue;
        }
        SectionSpan s;
        s.header = h;
        s.begin = h + 1;
        const qsizetype last = std::min<qsizetype>(n, h + 1 + scanLimit);
        qsizetype i = s.begin;
        while (i < last && !endsSection(text.line(i))) {
            ++i;
        }
        s.end = i;
        spans.append(s);
    }
    return spans;
}

std::optional<QString> keyLineValue(QStringView line, QStringView keyWithEquals,
                                    QStringView prefix) {
    if (!line.contains(keyWithEquals, Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return trimText(removeAllNoCase(line.toString(), prefix));
}

DescriptionError SectionErrors::badNumber(qsizetype lineIndex, const QString& field,
                                          const QString& value, const QString& expected) const {
    constexpr int kShownValue = 40;
    DescriptionError e;
    e.kind = DescriptionErrorKind::BadNumber;
    e.file = text_.file();
    e.section = section_;
    e.lineNumber = static_cast<int>(std::min<qsizetype>(lineIndex + 1, INT32_MAX));
    e.lineText = text_.line(lineIndex).toString();
    e.field = field;
    QString shown = value.left(kShownValue);
    if (value.size() > kShownValue) {
        shown += QStringLiteral("...");
    }
    e.message = QStringLiteral("\"%1\" is not %2").arg(shown, expected);
    return e;
}

std::optional<uint16_t> parseHexField16(QStringView text) {
    auto v = parseHex32(QStringView(trimText(text)));
    if (!v || *v > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(*v);
}

std::optional<uint16_t> parseDecimalField16(QStringView text) {
    auto v = parseInt64(QStringView(trimText(text)));
    if (!v || *v < 0 || *v > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(*v);
}

std::optional<int32_t> parseDecimalField32(QStringView text) {
    return parseInt32(QStringView(trimText(text)));
}

QString takeField(QString& rest, QStringView delimiter) {
    const qsizetype at = rest.indexOf(delimiter);
    if (at < 0) {
        return QString();
    }
    QString field = rest.left(at);
    rest.remove(0, at + delimiter.size());
    return field;
}

}  // namespace tevra
