#include "parameters/ParameterFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QThread>

#include "ini/IniFile.h"
#include "link/DriveLink.h"
#include "parameters/ParameterGridModel.h"
#include "parameters/ParameterValues.h"
#include "parameters/StatusProgress.h"
#include "shell/ProgramFolders.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"
#include "text/Gbk.h"
#include "text/Numbers.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

// Fills the "%s" marks of a message text in order.
QString FillMarks(QString text, std::initializer_list<QString> values) {
    for (const QString& v : values) {
        const qsizetype at = text.indexOf(QStringLiteral("%s"));
        if (at < 0) {
            break;
        }
        text.replace(at, 2, v);
    }
    return text;
}

NoteStyle Style(StyleColour colour, bool bold = false, bool underline = false) {
    NoteStyle s;
    s.colour = colour;
    s.bold = bold;
    s.underline = underline;
    return s;
}

void CloseStatus(StatusProgress& progress) {
    progress.hideProgressBar();
    progress.closeStatus();
}

bool CanWriteFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (info.exists()) {
        return info.isFile() && info.isWritable();
    }
    const QFileInfo dir(info.absolutePath());
    return dir.isDir() && dir.isWritable();
}

QString FileWriteFailureText(const QString& fileName, const QString& cause) {
    QString text = QStringLiteral(u"参数文件保存失败：") + QDir::toNativeSeparators(fileName);
    if (!cause.isEmpty()) {
        text += QStringLiteral(u"（") + cause + QStringLiteral(u"）");
    }
    return text;
}

// The text of a wave file value that was stored as UTF-8; empty when it is not UTF-8.
QString DecodedUtf8(const QString& value) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(toGbk(value));
    return decoder.hasError() ? QString() : text;
}

bool HasExtension(const QString& fileName, const QString& extension) {
    return QFileInfo(fileName).suffix().compare(extension, Qt::CaseInsensitive) == 0;
}

// A wave file names its keys with a channel number; plain names are read first.
QString WaveIdValue(const IniFile& file, const QString& key, const QString& numberedKey) {
    const QString id = QStringLiteral("ID");
    if (std::optional<QString> v = file.value(id, key)) {
        return *v;
    }
    return file.readString(id, numberedKey);
}

QString FolderOf(const QString& fileName) {
    QString folder = QFileInfo(fileName).absolutePath();
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return folder;
}

QString DefaultPraFolder(const ProgramFolders& folders) {
    return folders.programPath(QStringLiteral("PraSave\\"));
}

}  // namespace

bool BackupParameters(ParameterFileContext& ctx, const QString& fileName,
                      const DriveIdentityTexts& identity, const QString& lastConfirmedDriveType,
                      const NoteEditor& editNote) {
    const std::optional<QStringList> note = editNote(QString::fromUtf16(kParameterNotePrompt));
    if (!note) {
        return false;
    }
    if (!CanWriteFile(fileName)) {
        ctx.dialogs.showMessage(FileWriteFailureText(fileName, QString()), caption::error(),
                                MessageIcon::Error);
        return false;
    }
    QStringList lines = BackupHeaderLines(
        MakeBackupHeader(identity, DateTimeText(ctx.now()), *note, lastConfirmedDriveType));

    ctx.progress.showStatus(QStringLiteral(u"参数备份..."));
    ctx.progress.showProgressBar(static_cast<int>(kBackupLastPr));
    if (!ctx.link.isConnected()) {
        // A file with a header and no values is no backup.
        CloseStatus(ctx.progress);
        ctx.dialogs.showMessage(TipMessages()[2], caption::error(), MessageIcon::Error);
        return false;
    }
    lines.reserve(lines.size() + static_cast<qsizetype>(kBackupLastPr) + 1);
    for (uint32_t pr = 0; pr <= kBackupLastPr; ++pr) {
        uint16_t value = 0;
        bool read = ctx.link.ReadWordReported(pr, value, ctx.readFailures);
        if (!read) {
            QThread::msleep(10);
            read = ctx.link.ReadWordReported(pr, value, ctx.readFailures);
        }
        if (!read) {
            CloseStatus(ctx.progress);
            ctx.dialogs.showMessage(QStringLiteral(u"通信出错！参数号: ") + PrNumberText(pr) +
                                        QStringLiteral(u",参数备份失败！请稍候重试！"),
                                    caption::information(), MessageIcon::Error);
            return false;
        }
        lines.append(BackupValueLine(pr, value));
        ctx.progress.stepProgressBar();
    }
    QString error;
    const bool written = writeFileAtomically(fileName, BackupFileBytes(lines), &error);
    CloseStatus(ctx.progress);
    if (!written) {
        ctx.dialogs.showMessage(FileWriteFailureText(fileName, error), caption::error(),
                                MessageIcon::Error);
    }
    return written;
}

NoteViewContent ImportNoteContent(const BackupFileInfo& info) {
    NoteViewContent c;
    c.caption = QStringLiteral(u"导入参数备注");
    c.confirmHint = QStringLiteral(u"核对参数信息，点击确定参数将被导入。");
    c.cancelHint = QStringLiteral(u"取消当前操作。");
    const NoteStyle heading = Style(StyleColour::Purple, true);
    const NoteStyle label = Style(StyleColour::Black);
    const NoteStyle value = Style(StyleColour::Blue, false, true);
    auto add = [&](const QString& l, const QString& v, NoteStyle ls, NoteStyle vs) {
        c.lines.append({l, trimText(v), ls, vs});
    };
    add(QStringLiteral(u"底层软件信息："), QString(), heading, Style(StyleColour::Teal, true));
    add(QStringLiteral(u"信息号："), info.BottomSoftTy, label, value);
    add(QStringLiteral(u"版本："), info.BottomSoftVer, label, value);
    add(QStringLiteral(u"应用类型："), info.BottomSoftUseID, label, value);
    add(QStringLiteral(u"备注："), QString(info.BottomSoftNote).replace(u'α', u'a'), label, value);
    add(QStringLiteral(u"升级日期："), info.BottomSoftDate, label, value);
    add(QStringLiteral(u"备份信息："), QString(), heading, Style(StyleColour::Blue));
    add(QStringLiteral(u"备份时间："), info.DateTime, label, value);
    add(QStringLiteral(u"型号："), info.DriType, label, value);
    add(QStringLiteral(u"详细说明："), QString(), heading, Style(StyleColour::Green, true));
    for (const QString& line : info.noteLines()) {
        add(line, QString(), Style(StyleColour::Green), Style(StyleColour::Purple, true));
    }
    return c;
}

NoteViewContent ViewNoteContent(const BackupFileInfo& info, const QString& fileName,
                                const QString& dwtDriveType) {
    NoteViewContent c;
    c.caption = QStringLiteral(u"查看参数备注");
    const NoteStyle navy = Style(StyleColour::Navy);
    auto add = [&](const QString& l, const QString& v, NoteStyle ls, NoteStyle vs) {
        c.lines.append({l, trimText(v), ls, vs});
    };
    QString driveType;
    if (HasExtension(fileName, QStringLiteral("dpm"))) {
        driveType = info.DriType;
    } else if (HasExtension(fileName, QStringLiteral("dwt"))) {
        driveType = dwtDriveType;
    }
    add(QStringLiteral(u"参数备注: "), QString(), navy, Style(StyleColour::Teal, true));
    add(QStringLiteral(u"日期及时间: "), info.DateTime, navy, Style(StyleColour::Teal, true));
    add(QStringLiteral(u"驱动器类型: "), driveType, navy, Style(StyleColour::Fuchsia, true));
    add(QStringLiteral(u"详细说明: "), QString(), Style(StyleColour::Purple, true),
        Style(StyleColour::Purple, true));
    for (const QString& line : info.noteLines()) {
        add(line, QString(), Style(StyleColour::Green), Style(StyleColour::Purple, true));
    }
    return c;
}

bool ImportParameterFile(ParameterFileContext& ctx, const QString& fileName, uint32_t lastPr,
                         const TNoImportPr& barred, const DriveIdentityTexts& identity,
                         ConfirmedFileIdentity& confirmed, const NoteViewer& viewNote) {
    const IniFile file(fileName);
    const BackupFileInfo info = ReadBackupFileInfo(file);
    if (!viewNote(ImportNoteContent(info))) {
        return false;
    }
    confirmed.DriveType = identity.DriTypeLab;
    confirmed.Version = identity.SoftVerLab;

    const QString driveType = trimText(identity.DriTypeLab);
    const QString fileType = trimText(info.HardType);
    if (!equalsNoCase(fileType, driveType)) {
        CloseStatus(ctx.progress);
        ctx.dialogs.showMessage(FillMarks(TipMessages()[15], {driveType, fileType}),
                                caption::error(), MessageIcon::Error);
        return false;
    }
    const std::optional<uint32_t> start = parseHex32(trimText(info.ParaStrAdr));
    if (!start || *start != 0) {
        CloseStatus(ctx.progress);
        ctx.dialogs.showMessage(TipMessages()[16], caption::error(), MessageIcon::Error);
        return false;
    }
    const QString version = trimText(identity.SoftVerLab);
    const QString fileVersion = trimText(info.ParaVer);
    if (!equalsNoCase(fileVersion, version) &&
        !ctx.dialogs.askYesNo(FillMarks(TipMessages()[17], {version, fileVersion}),
                              caption::information(), MessageIcon::Information)) {
        CloseStatus(ctx.progress);
        return false;
    }
    if (!ctx.link.isConnected()) {
        CloseStatus(ctx.progress);
        return false;
    }
    return ImportParameterValues(ctx.link, fileName, lastPr, barred, ctx.folders, ctx.dialogs,
                                 ctx.progress, ctx.now);
}

bool ViewParameterFile(ParameterFileContext& ctx, const QString& fileName, ParameterGridModel& grid,
                       const DriveIdentityTexts& identity, ConfirmedFileIdentity& confirmed,
                       const NoteViewer& viewNote) {
    const IniFile file(fileName);
    const BackupFileInfo info = ReadBackupFileInfo(file);
    const bool dpm = HasExtension(fileName, QStringLiteral("dpm"));
    const bool dwt = HasExtension(fileName, QStringLiteral("dwt"));
    const QString dwtDriveType =
        dwt ? WaveIdValue(file, QStringLiteral("DriverType"), QStringLiteral("Driver1Type"))
            : QString();
    if (!viewNote(ViewNoteContent(info, fileName, dwtDriveType))) {
        return false;
    }
    confirmed.DriveType = identity.DriTypeLab;
    confirmed.Version = identity.SoftVerLab;

    if (dwt) {
        const QString hardType =
            WaveIdValue(file, QStringLiteral("HardType"), QStringLiteral("HardType1"));
        const QString paraVer =
            WaveIdValue(file, QStringLiteral("ParaVer"), QStringLiteral("ParaVer1"));
        // The file may hold its identity as UTF-8; a second round compares the decoded
        // texts, and only when decoding changed them (the same question is not asked twice).
        struct Round {
            QString hardType;
            QString paraVer;
        };
        const Round decoded{DecodedUtf8(hardType), DecodedUtf8(paraVer)};
        const Round rounds[2] = {{hardType, paraVer}, decoded};
        for (int i = 0; i < 2; ++i) {
            const Round& r = rounds[i];
            const bool repeatType = i == 1 && r.hardType == hardType;
            const bool repeatVersion = i == 1 && r.paraVer == paraVer;
            if (!repeatType && !equalsNoCase(r.hardType, identity.DriTypeLab) &&
                !ctx.dialogs.askYesNo(
                    FillMarks(TipMessages()[19], {identity.DriTypeLab, r.hardType}),
                    caption::information(), MessageIcon::Information)) {
                return false;
            }
            if (!repeatVersion && !equalsNoCase(r.paraVer, identity.SoftVerLab) &&
                !ctx.dialogs.askYesNo(
                    FillMarks(TipMessages()[20], {identity.SoftVerLab, r.paraVer}),
                    caption::information(), MessageIcon::Information)) {
                return false;
            }
        }
    }

    const int last = grid.gridRowCount() - 1;
    ctx.progress.showStatus(QStringLiteral(u"查看备分参数..."));
    ctx.progress.showProgressBar(last);
    const QString section = QStringLiteral("PraVal");
    const QString unknown = QString::fromUtf16(kUnknownValueText);
    for (int r = 1; r <= last; ++r) {
        ctx.progress.stepProgressBar();
        if (dpm || dwt) {
            const QString key = trimText(grid.cell(r, 0));
            const QString value = key.isEmpty() ? unknown : file.readString(section, key, unknown);
            grid.setCell(r, 2, GridValueText(trimText(value)));
        }
    }
    CloseStatus(ctx.progress);
    return true;
}

uint32_t LastGridPrNumber(const ParameterGridModel& grid) {
    const QString text = trimText(removeAllNoCase(grid.cell(grid.gridRowCount() - 1, 0), u"Pr"));
    const std::optional<uint32_t> pr = parseHex32(text);
    return pr ? *pr : 0x14F;
}

QString WithDefaultExtension(const QString& fileName, const QString& extension) {
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) {
        return fileName;
    }
    return fileName + extension;
}

QString PraOpenPath(const IniFile& config, const ProgramFolders& folders) {
    const QString v =
        trimText(config.readString(QStringLiteral("SystemSet"), QStringLiteral("PraOpenPath")));
    return v.isEmpty() ? DefaultPraFolder(folders) : v;
}

QString PraSavePath(const IniFile& config, const ProgramFolders& folders) {
    const QString v =
        trimText(config.readString(QStringLiteral("SystemSet"), QStringLiteral("PraSavePath")));
    return v.isEmpty() ? DefaultPraFolder(folders) : v;
}

void StorePraOpenPath(IniFile& config, const QString& fileName) {
    config.writeString(QStringLiteral("SystemSet"), QStringLiteral("PraOpenPath"),
                       FolderOf(fileName));
}

void StorePraSavePath(IniFile& config, const QString& fileName) {
    config.writeString(QStringLiteral("SystemSet"), QStringLiteral("PraSavePath"),
                       FolderOf(fileName));
}

std::optional<QString> ParameterFileButtons::chooseDpmFile(const FileDialogRequest& request) {
    QDir().mkpath(request.startFolder);
    const std::optional<QString> chosen = chooseFile(request);
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    return WithDefaultExtension(*chosen);
}

bool ParameterFileButtons::Backup(const DriveIdentityTexts& identity,
                                  const ConfirmedFileIdentity& confirmed) {
    if (!ctx.link.isConnected()) {
        ctx.dialogs.showMessage(TipMessages()[2], caption::error(), MessageIcon::Error);
        return false;
    }
    FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral(u"参数保存");
    request.fileName = trimText(identity.DriTypeLab) + QStringLiteral(".dpm");
    request.filter = QStringLiteral(u"备份参数文件(*.dpm)|*.dpm|*.*|*.*");
    request.defaultExtension = QStringLiteral(".dpm");
    request.startFolder = PraSavePath(config, ctx.folders);
    const std::optional<QString> chosen = chooseDpmFile(request);
    if (!chosen) {
        return false;
    }
    const QString& fileName = *chosen;
    if (!BackupParameters(ctx, fileName, identity, confirmed.DriveType, editNote)) {
        return false;
    }
    StorePraSavePath(config, fileName);
    ctx.dialogs.showMessage(TipMessages()[48], caption::information(), MessageIcon::Information);
    return true;
}

bool ParameterFileButtons::Import(const ParameterGridModel& grid, const TNoImportPr& barred,
                                  const DriveIdentityTexts& identity,
                                  ConfirmedFileIdentity& confirmed) {
    if (!ctx.link.isConnected()) {
        ctx.dialogs.showMessage(TipMessages()[2], caption::error(), MessageIcon::Error);
        return false;
    }
    const uint32_t lastPr = LastGridPrNumber(grid);
    if (administrator && !ctx.dialogs.askYesNo(FillMarks(TipMessages()[31], {PrNumberText(lastPr)}),
                                               caption::information(), MessageIcon::Warning)) {
        return false;
    }
    FileDialogRequest request;
    request.title = QStringLiteral(u"导入备份参数");
    request.fileName = QStringLiteral("*.dpm");
    request.filter = QStringLiteral(u"参数文件(*.dpm)|*.dpm|*.*|*.*");
    request.defaultExtension = QStringLiteral(".dpm");
    request.startFolder = PraOpenPath(config, ctx.folders);
    const std::optional<QString> chosen = chooseDpmFile(request);
    if (!chosen) {
        return false;
    }
    const QString& fileName = *chosen;
    if (!ImportParameterFile(ctx, fileName, lastPr, barred, identity, confirmed, viewNote)) {
        return false;
    }
    StorePraOpenPath(config, fileName);
    ctx.dialogs.showMessage(TipMessages()[33], caption::information(), MessageIcon::Information);
    return true;
}

bool ParameterFileButtons::View(ParameterGridModel& grid, const DriveIdentityTexts& identity,
                                ConfirmedFileIdentity& confirmed) {
    if (ctx.link.isConnected()) {
        if (!ctx.dialogs.askYesNo(TipMessages()[1], caption::information(),
                                  MessageIcon::Information)) {
            return false;
        }
        if (disconnect) {
            disconnect();
        }
    }
    FileDialogRequest request;
    request.title = QStringLiteral(u"查看备分参数");
    request.filter = QStringLiteral(u"参数文件(*.dpm)|*.dpm|波形文件(*.dwt)|*.dwt|*.*|*.*");
    request.defaultExtension = QStringLiteral(".dpm");
    request.startFolder = PraOpenPath(config, ctx.folders);
    const std::optional<QString> chosen = chooseDpmFile(request);
    if (!chosen) {
        return false;
    }
    const QString& fileName = *chosen;
    if (!ViewParameterFile(ctx, fileName, grid, identity, confirmed, viewNote)) {
        return false;
    }
    StorePraOpenPath(config, fileName);
    return true;
}

}  // namespace tevra
