#include "parameters/BackupFile.h"

#include <algorithm>

#include "ini/IniFile.h"
#include "parameters/ParameterValues.h"
#include "text/Gbk.h"
#include "text/TextUtil.h"

namespace tevra {

BackupHeader MakeBackupHeader(const DriveIdentityTexts& identity, const QString& dateTime,
                              const QStringList& noteLines, const QString& lastConfirmedDriveType) {
    BackupHeader h;
    h.DriType = trimText(identity.ModelName);
    h.DateTime = dateTime;
    h.NoteLines = noteLines;
    h.BottomSoftTy = trimText(identity.DriTypeLab);
    h.BottomSoftVer = identity.SoftVerLab;
    h.BottomSoftUseID = identity.DriUseIDLab;
    h.BottomSoftNote = identity.SoftNoteLab;
    h.BottomSoftDate = identity.SoftDateLab;
    h.ParDrvID = lastConfirmedDriveType;
    h.HardType = identity.DriTypeLab;
    h.ParaVer = identity.SoftVerLab;
    return h;
}

QStringList BackupHeaderLines(const BackupHeader& h) {
    return {
        QStringLiteral("[ParaNote]"),
        QStringLiteral("DriType=") + h.DriType,
        QStringLiteral("DateTime=") + h.DateTime,
        QStringLiteral("ParaNote=") + JoinNoteLines(h.NoteLines),
        QStringLiteral("LineNum=") + QString::number(h.NoteLines.size()),
        QStringLiteral("[BottomSoft]"),
        QStringLiteral("BottomSoftTy=") + h.BottomSoftTy,
        QStringLiteral("BottomSoftVer=") + h.BottomSoftVer,
        QStringLiteral("BottomSoftUseID=") + h.BottomSoftUseID,
        QStringLiteral("BottomSoftNote=") + h.BottomSoftNote,
        QStringLiteral("BottomSoftDate=") + h.BottomSoftDate,
        QStringLiteral("[ID]"),
        QStringLiteral("ParDrvID=") + h.ParDrvID,
        QStringLiteral("HardType=") + h.HardType,
        QStringLiteral("ParaVer=") + h.ParaVer,
        QStringLiteral("ParaStrAdr=") + h.ParaStrAdr,
        QStringLiteral("PraLen=") + QString::number(h.PraLen),
        QStringLiteral("[PraVal]"),
    };
}

QString BackupValueLine(uint32_t pr, uint16_t value) {
    return PrNumberText(pr) + QLatin1Char('=') + QString::number(value);
}

QByteArray BackupFileBytes(const QStringList& lines) {
    return toGbk(joinLinesCrLf(lines));
}

QString JoinNoteLines(const QStringList& lines) {
    QString out;
    for (const QString& line : lines) {
        out += QLatin1Char('%');
        out += line;
    }
    out += QLatin1Char('%');
    return out;
}

QStringList SplitNoteLines(const QString& value, int lineCount) {
    QStringList out;
    QString rest = value;
    // Once the "%" marks are used up every further piece is empty; a LineNum far beyond
    // them (a damaged file) adds no more than the default count of empty lines.
    lineCount = std::min<qsizetype>(lineCount, std::max<qsizetype>(value.count(u'%'), 100));
    for (int i = 0; i <= lineCount; ++i) {
        rest.remove(0, rest.indexOf(QLatin1Char('%')) + 1);
        const qsizetype end = rest.indexOf(QLatin1Char('%'));
        out.append(end < 0 ? QString() : rest.left(end));
    }
    return out;
}

BackupFileInfo ReadBackupFileInfo(const IniFile& file) {
    const QString note = QStringLiteral("ParaNote");
    const QString soft = QStringLiteral("BottomSoft");
    const QString id = QStringLiteral("ID");
    BackupFileInfo info;
    info.DateTime = file.readString(note, QStringLiteral("DateTime"));
    info.DriType = file.readString(note, QStringLiteral("DriType"));
    info.ParaNote = file.readString(note, QStringLiteral("ParaNote"));
    info.LineNum = file.readInt(note, QStringLiteral("LineNum"), 100);
    info.BottomSoftTy = file.readString(soft, QStringLiteral("BottomSoftTy"));
    info.BottomSoftVer = file.readString(soft, QStringLiteral("BottomSoftVer"));
    info.BottomSoftUseID = file.readString(soft, QStringLiteral("BottomSoftUseID"));
    info.BottomSoftNote = file.readString(soft, QStringLiteral("BottomSoftNote"));
    info.BottomSoftDate = file.readString(soft, QStringLiteral("BottomSoftDate"));
    info.HardType = file.readString(id, QStringLiteral("HardType"));
    info.ParaStrAdr = file.readString(id, QStringLiteral("ParaStrAdr"), QStringLiteral("A5A5"));
    info.ParaVer = file.readString(id, QStringLiteral("ParaVer"));
    return info;
}

}  // namespace tevra
