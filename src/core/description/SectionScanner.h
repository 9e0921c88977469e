#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

#include <cstdint>
#include <optional>

#include "description/DescriptionResult.h"
#include "description/ProtectedTextFile.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The rules every description section reader shares: lines are examined trimmed; a header
// starts a section; from the header at most `scanLimit` following lines are looked at, up
// to the first line that begins with "[" and contains "]"; every header in the text starts
// another section, read in file order.
class DescriptionText {
  public:
    // `file` names the text in error messages (a relative name, a path, or empty).
    explicit DescriptionText(const QStringList& lines, QString file = QString());

    qsizetype size() const { return trimmed_.size(); }
    // The trimmed line, a view into the text.
    QStringView line(qsizetype index) const { return trimmed_[index]; }
    const QString& file() const { return file_; }

  private:
    QStringList lines_;
    QVector<QStringView> trimmed_;
    QString file_;
};

// The lines [begin, end) of one section; `header` is the header line's index.
struct SectionSpan {
    qsizetype header = 0;
    qsizetype begin = 0;
    qsizetype end = 0;
};

enum class HeaderMatch {
    Exact,    // the trimmed line equals the header, without regard to case
    Pattern,  // the line does not begin with ";", contains "[" and contains the pattern
};

QVector<SectionSpan> findSections(const DescriptionText& text, HeaderMatch match,
                                  QStringView header, int scanLimit);

// A key line: when `line` contains `keyWithEquals` ("Name=") without regard to case, the
// line with every occurrence of `prefix` removed (without regard to case), trimmed.
std::optional<QString> keyLineValue(QStringView line, QStringView keyWithEquals,
                                    QStringView prefix);

// Builds the errors of one reader: the file, the section and the offending line and field.
class SectionErrors {
  public:
    SectionErrors(const DescriptionText& text, QString section)
        : text_(text), section_(std::move(section)) {}

    DescriptionError badNumber(qsizetype lineIndex, const QString& field, const QString& value,
                               const QString& expected) const;

  private:
    const DescriptionText& text_;
    QString section_;
};

// Number fields. Blanks around the digits are ignored; a value that does not fit the field
// is no number.
std::optional<uint16_t> parseHexField16(QStringView text);
std::optional<uint16_t> parseDecimalField16(QStringView text);
std::optional<int32_t> parseDecimalField32(QStringView text);

// Delphi-style field cutting used by the line grammars: the text before the first
// `delimiter`, removed from `rest` together with the delimiter. When the delimiter does
// not occur, the field is empty and `rest` stays as it is.
QString takeField(QString& rest, QStringView delimiter);

// Runs a line reader on the protected file `relativeName`, decoded afresh; a file that is
// missing or cannot be decoded is the reader's error.
template <typename Read>
auto readProtectedSections(const ProgramFolders& folders, const QString& relativeName, Read read)
    -> decltype(read(QStringList(), relativeName)) {
    auto lines = LoadProtectedFile(folders, relativeName);
    if (!lines) {
        return lines.error();
    }
    return read(*lines, relativeName);
}

}  // namespace tevra
