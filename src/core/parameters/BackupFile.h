#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace tevra {

class IniFile;

// The identity texts a backup records: the model chosen in the model list and the drive's
// identity as the connection page shows it.
struct DriveIdentityTexts {
    QString ModelName;    // DriType.dat selection
    QString DriTypeLab;   // drive type (information number)
    QString SoftVerLab;   // software version
    QString DriUseIDLab;  // application type
    QString SoftNoteLab;  // program information
    QString SoftDateLab;  // program identifier
};

// The header of a parameter backup file (".dpm"); the encoder parameter files share it.
struct BackupHeader {
    QString DriType;
    QString DateTime;
    QStringList NoteLines;
    QString BottomSoftTy;
    QString BottomSoftVer;
    QString BottomSoftUseID;
    QString BottomSoftNote;
    QString BottomSoftDate;
    QString ParDrvID;
    QString HardType;
    QString ParaVer;
    QString ParaStrAdr = QStringLiteral("0000");
    int PraLen = 511;
};

// The header of a backup taken now from the drive with these identity texts;
// lastConfirmedDriveType is the drive type of the last confirmed view or import.
BackupHeader MakeBackupHeader(const DriveIdentityTexts& identity, const QString& dateTime,
                              const QStringList& noteLines, const QString& lastConfirmedDriveType);

// The header lines in file order, from "[ParaNote]" to "[PraVal]".
QStringList BackupHeaderLines(const BackupHeader& header);
// A value line: the Pr number in hexadecimal (at least two digits), "=", the unsigned value.
QString BackupValueLine(uint32_t pr, uint16_t value);
// The whole file as it is stored: GBK, every line ended by CR LF.
QByteArray BackupFileBytes(const QStringList& lines);

// The ParaNote value: "%" before every note line and one more "%" at the end.
QString JoinNoteLines(const QStringList& lines);
// The note lines of a ParaNote value with LineNum: lineCount + 1 pieces, each the text
// after the next "%" up to the "%" after it (empty when there is none). A note written by
// JoinNoteLines gives its lines followed by one empty line.
QStringList SplitNoteLines(const QString& value, int lineCount);

// The keys a reader of a backup file uses.
struct BackupFileInfo {
    QString DateTime;
    QString DriType;
    QString ParaNote;
    int LineNum = 100;
    QString BottomSoftTy;
    QString BottomSoftVer;
    QString BottomSoftUseID;
    QString BottomSoftNote;
    QString BottomSoftDate;
    QString HardType;
    QString ParaStrAdr = QStringLiteral("A5A5");
    QString ParaVer;

    QStringList noteLines() const { return SplitNoteLines(ParaNote, LineNum); }
};
BackupFileInfo ReadBackupFileInfo(const IniFile& file);

}  // namespace tevra
