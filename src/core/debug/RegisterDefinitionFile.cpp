#include "debug/RegisterDefinitionFile.h"

#include <algorithm>

#include "text/TextUtil.h"

namespace tevra {

namespace {

constexpr int kMaxExaminedLines = 2000;

// "#define NAME *comment*) 0xADDR)": name before the first "*", address between the "*)"
// that closes the comment and the next ")". Missing pieces give empty texts.
RegisterRow parseDefinition(const QString& line) {
    QString s = line;
    qsizetype define = s.indexOf(QStringLiteral("#define"), 0, Qt::CaseInsensitive);
    s = s.mid(define + 7 + 1);
    RegisterRow row;
    qsizetype star = s.indexOf(u'*');
    if (star >= 0) {
        row.Name = trimText(QStringView(s).left(star));
        s = s.mid(star + 1);
    }
    qsizetype close = s.indexOf(QStringLiteral("*)"));
    if (close >= 0) {
        s = s.mid(close + 2);
    }
    qsizetype paren = s.indexOf(u')');
    if (paren >= 0) {
        row.Address = trimText(QStringView(s).left(paren));
    }
    row.TypeName = QStringLiteral("Uint16");
    return row;
}

}  // namespace

QVector<RegisterRow> parseRegisterDefinitions(const QStringList& lines) {
    QVector<RegisterRow> rows;
    qsizetype end = std::min<qsizetype>(lines.size(), 1 + kMaxExaminedLines);
    for (qsizetype i = 1; i < end; ++i) {
        const QString& line = lines[i];
        if (line.contains(QStringLiteral("=END OF DEFINE=="), Qt::CaseInsensitive)) {
            break;
        }
        if (trimText(QStringView(line).left(7)).toUpper() != QStringLiteral("#DEFINE")) {
            continue;
        }
        rows.push_back(parseDefinition(line));
    }
    return rows;
}

}  // namespace tevra
