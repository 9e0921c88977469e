#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

#include "description/DriveDescription.h"

namespace tevra {

class DriveLink;
class ProgramFolders;
class StatusProgress;
class UserDialogs;

// The local date and time; tests give a fixed one.
using DateTimeSource = std::function<QDateTime()>;
DateTimeSource SystemDateTime();

// "YYYY-MM-DD HH:MM:SS", the date and time of the log and of the backup files.
QString DateTimeText(const QDateTime& when);

// The import log "Log/LoadPara.log" beside the program.
QString ImportLogPath(const ProgramFolders& folders);

// Imports the [PraVal] values of a parameter backup file into the drive's three EEPROM
// parameter images, for P = 0 .. lastPr in this order, with a block appended to the import
// log. Barred numbers are logged and not sent. Each value is written to the three images
// (each write only after the one before succeeded) and read back from all three; the import
// stops at the first parameter whose value is missing, whose write fails, or whose
// read-back fails or differs, logs the stop and shows its message. Values already written
// stay written. The log is saved before any message is shown.
//
// True only when every value 0 .. lastPr was written and read back equal from all three
// images (barred numbers excepted).
bool ImportParameterValues(DriveLink& link, const QString& fileName, uint32_t lastPr,
                           const TNoImportPr& barred, const ProgramFolders& folders,
                           UserDialogs& dialogs, StatusProgress& progress,
                           const DateTimeSource& now = SystemDateTime());

}  // namespace tevra
