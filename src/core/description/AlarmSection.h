#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "description/DriveDescription.h"

namespace tevra {

struct AlarmSection {
    AlarmList alarms;
    AlarmStatusRegisters statusRegisters;  // 0xFFFF when absent or unreadable
};

// Reads every [ErrStuDefine] section of the model description. "ErrStuReg1=" (2, 3)
// followed directly by hexadecimal digits sets a status register; any other non-empty line
// reads code "=" name "{" description "}" and adds an alarm unless the name is empty or
// "NC". An alarm code that is not a 16-bit decimal number fails the whole section.
DescriptionResult<AlarmSection> ReadAlarmSection(const QStringList& modelLines,
                                                 const QString& file = QString());

}  // namespace tevra
