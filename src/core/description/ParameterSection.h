#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"

namespace tevra {

// A [Parameter] line whose lower or upper bound is not an integer: the entry is still
// listed, with INT64_MAX as the faulty bound, and the user is told with `message`
// ("解析参数文件错误，参数号：..." with the number in hexadecimal), caption "错误".
struct ParameterBoundWarning {
    uint16_t PrNumber = 0;
    int lineNumber = 0;
    QString message;
};

struct ParameterSection {
    ParameterList entries;
    QVector<ParameterBoundWarning> warnings;
};

// Reads every [Parameter] section of the model description. A line has the shape
//   key "=" name "." default "." lower "." upper "." unit "." relation ".." number-in-hex
//   blank "(" bracket ")" "," level "*" effect "{" description "}" "(*" type "*)"
// Empty lines and lines containing "TalNum=" are skipped. A parameter number that is not
// a 16-bit hexadecimal number fails the whole section. `file` names the text in errors.
DescriptionResult<ParameterSection> ReadParameterSection(const QStringList& modelLines,
                                                         const QString& file = QString());

}  // namespace tevra
