#include "description/DescriptionResult.h"

namespace tevra {

QString DescriptionError::toString() const {
    // A line of a broken file may be long or binary garbage: show its start only.
    constexpr int kShownLine = 80;
    QString where;
    auto add = [&where](const QString& part) {
        if (!where.isEmpty()) {
            where += QStringLiteral(", ");
        }
        where += part;
    };
    if (!file.isEmpty()) {
        add(file);
    }
    if (!section.isEmpty()) {
        add(QStringLiteral("section ") + section);
    }
    if (lineNumber > 0) {
        QString shown = lineText.left(kShownLine);
        if (lineText.size() > kShownLine) {
            shown += QStringLiteral("...");
        }
        add(QStringLiteral("line %1 \"%2\"").arg(lineNumber).arg(shown));
    }
    if (!field.isEmpty()) {
        add(QStringLiteral("field ") + field);
    }
    return where.isEmpty() ? message : where + QStringLiteral(": ") + message;
}

}  // namespace tevra
