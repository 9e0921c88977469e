#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <optional>

#include "description/DriveDescription.h"
#include "parameters/BackupFile.h"
#include "parameters/ParameterDetails.h"
#include "parameters/ParameterImport.h"

namespace tevra {

class DriveLink;
class IniFile;
class ParameterGridModel;
class ProgramFolders;
class ReadFailureReporter;
class StatusProgress;
class UserDialogs;

// What the backup, import and view of parameter files need around them.
struct ParameterFileContext {
    DriveLink& link;
    UserDialogs& dialogs;
    ReadFailureReporter& readFailures;
    StatusProgress& progress;
    const ProgramFolders& folders;
    DateTimeSource now = SystemDateTime();
};

// The drive type and software version of the connection page, remembered at the last
// confirmed view or import of this run (the encoder files remember it too). Backups record
// the drive type as ParDrvID.
struct ConfirmedFileIdentity {
    QString DriveType;
    QString Version;
};

// A line of the note viewer: a label and a value, each in its own style.
struct NoteStyle {
    bool bold = false;
    bool underline = false;
    StyleColour colour = StyleColour::Black;
};
struct NoteViewLine {
    QString label;
    QString value;
    NoteStyle labelStyle;
    NoteStyle valueStyle;
};
struct NoteViewContent {
    QString caption;
    QString confirmHint;
    QString cancelHint;
    QVector<NoteViewLine> lines;
};

// The note editor: shown with the prompt text, all selected; the note lines when it was
// confirmed, nothing when it was cancelled.
using NoteEditor = std::function<std::optional<QStringList>(const QString& prompt)>;
// The note viewer, modal: true when confirmed.
using NoteViewer = std::function<bool(const NoteViewContent&)>;

inline constexpr char16_t kParameterNotePrompt[] = u"在此输入参数备注";
inline constexpr char16_t kWaveNotePrompt[] = u"在此输入波形备注";
// The highest Pr number a backup stores.
inline constexpr uint32_t kBackupLastPr = 511;

// Reads the drive's RAM values of Pr 0 .. 511 into a new backup file, after the note
// editor was confirmed. Each value is read with ReadWordReported and, when that fails,
// once more after 10 ms; a second failure ends the backup with the message
// "通信出错！参数号: XX,参数备份失败！请稍候重试！". The file is written only when every
// value was read: a backup that stops leaves the chosen file as it was (an older backup of
// the same name survives, and no half backup can be imported later).
bool BackupParameters(ParameterFileContext& ctx, const QString& fileName,
                      const DriveIdentityTexts& identity, const QString& lastConfirmedDriveType,
                      const NoteEditor& editNote);

// The content of the note viewer before an import.
NoteViewContent ImportNoteContent(const BackupFileInfo& info);
// The content of the note viewer before an offline view; dwtDriveType is the drive type
// line of a wave file.
NoteViewContent ViewNoteContent(const BackupFileInfo& info, const QString& fileName,
                                const QString& dwtDriveType);

// Checks a backup file against the connected drive and imports its values 0 .. lastPr into
// the drive's EEPROM (ImportParameterValues): the note viewer must be confirmed, the
// file's HardType must equal the drive type (ignoring case), its ParaStrAdr must be 0, and
// a different ParaVer must be accepted by the user.
bool ImportParameterFile(ParameterFileContext& ctx, const QString& fileName, uint32_t lastPr,
                         const TNoImportPr& barred, const DriveIdentityTexts& identity,
                         ConfirmedFileIdentity& confirmed, const NoteViewer& viewNote);

// Shows the values of a backup file (or of a wave file's [PraVal] section) in the value
// column of the grid, after the note viewer was confirmed. The caller colours the grid
// teal when this returns true.
bool ViewParameterFile(ParameterFileContext& ctx, const QString& fileName, ParameterGridModel& grid,
                       const DriveIdentityTexts& identity, ConfirmedFileIdentity& confirmed,
                       const NoteViewer& viewNote);

// The Pr number of the grid's last row: column 0 with every "Pr" removed (any case), read
// as hexadecimal; 0x14F when it is not a number.
uint32_t LastGridPrNumber(const ParameterGridModel& grid);

// Appends the default extension ".dpm" to a file name without an extension.
QString WithDefaultExtension(const QString& fileName,
                             const QString& extension = QStringLiteral(".dpm"));

// Config.ini SystemSet/PraOpenPath and PraSavePath: the start folders of the file dialogs,
// by default the folder "PraSave" in the program folder.
QString PraOpenPath(const IniFile& config, const ProgramFolders& folders);
QString PraSavePath(const IniFile& config, const ProgramFolders& folders);
// Store the folder of the chosen file.
void StorePraOpenPath(IniFile& config, const QString& fileName);
void StorePraSavePath(IniFile& config, const QString& fileName);

// A file dialog the buttons run first.
struct FileDialogRequest {
    bool save = false;
    QString title;
    QString fileName;
    QString filter;
    QString defaultExtension;
    QString startFolder;
};
// The chosen file name, nothing when the dialog was cancelled.
using FileChooser = std::function<std::optional<QString>(const FileDialogRequest&)>;

// The three buttons of the parameter page, with their checks, dialogs, messages and the
// stored folders. The caller saves the configuration.
struct ParameterFileButtons {
    ParameterFileButtons(ParameterFileContext& context, IniFile& settings)
        : ctx(context), config(settings) {}

    ParameterFileContext& ctx;
    IniFile& config;
    bool administrator = false;
    FileChooser chooseFile;
    NoteEditor editNote;
    NoteViewer viewNote;
    // The connection page's disconnect action.
    std::function<void()> disconnect;

    // BackupParaBtn "备份参数 &B".
    bool Backup(const DriveIdentityTexts& identity, const ConfirmedFileIdentity& confirmed);
    // ImportParaBtn "导入参数 &I".
    bool Import(const ParameterGridModel& grid, const TNoImportPr& barred,
                const DriveIdentityTexts& identity, ConfirmedFileIdentity& confirmed);
    // ViewParaBBtn "查看参数 &S".
    bool View(ParameterGridModel& grid, const DriveIdentityTexts& identity,
              ConfirmedFileIdentity& confirmed);

  private:
    // Creates the start folder, asks for a file and adds the default extension; nothing
    // when the dialog was cancelled.
    std::optional<QString> chooseDpmFile(const FileDialogRequest& request);
};

}  // namespace tevra
