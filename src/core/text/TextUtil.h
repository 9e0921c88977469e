#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

namespace tevra {

// Removes every leading and trailing character whose code is 32 or less (blanks, tabs,
// line breaks, NUL and the other control characters), as the description readers and the
// file layer expect.
QString trimText(QStringView text);
// The same trimming as a view into `text`, without a copy.
QStringView trimView(QStringView text);

// Splits at CR LF, a lone CR or a lone LF. A final line break does not add an empty line;
// an empty text gives an empty list.
QStringList splitLines(QStringView text);

// Joins with CR LF after every line (so a non-empty list ends with CR LF).
QString joinLinesCrLf(const QStringList& lines);

bool equalsNoCase(QStringView a, QStringView b);
bool containsNoCase(QStringView haystack, QStringView needle);
bool startsWithNoCase(QStringView text, QStringView prefix);

// Removes every occurrence of `pattern`, compared without regard to case.
QString removeAllNoCase(QString text, QStringView pattern);

// Upper-case hexadecimal without prefix, at least `minDigits` digits ("0A", "1F4").
QString hexText(uint64_t value, int minDigits = 2);

// Cuts a text to a fixed field capacity (characters), as the fixed-size record fields do.
QString fitField(const QString& text, int capacity);

}  // namespace tevra
