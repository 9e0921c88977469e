#include "parameters/ParameterImport.h"

#include <QDir>
#include <QFileInfo>

#include "ini/IniFile.h"
#include "link/DriveLink.h"
#include "parameters/EepromImages.h"
#include "parameters/ParameterValues.h"
#include "parameters/StatusProgress.h"
#include "shell/ProgramFolders.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"
#include "text/Numbers.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

namespace tevra {

DateTimeSource SystemDateTime() {
    return [] { return QDateTime::currentDateTime(); };
}

QString DateTimeText(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString ImportLogPath(const ProgramFolders& folders) {
    return folders.programPath(QStringLiteral("Log\\LoadPara.log"));
}

namespace {

// The log file as a growing list of lines, saved in one piece.
class ImportLog {
  public:
    explicit ImportLog(QString path) : path_(std::move(path)) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        if (std::optional<QStringList> existing = readTextLines(path_)) {
            lines_ = *existing;
        }
        if (!lines_.isEmpty()) {
            lines_.append(QString());
        }
    }
    void append(const QString& line) { lines_.append(line); }
    void save() { writeTextLines(path_, lines_); }

  private:
    QString path_;
    QStringList lines_;
};

bool IsBarred(const TNoImportPr& barred, uint32_t pr) {
    const int count = std::min<int>(barred.Count, static_cast<int>(barred.Numbers.size()));
    for (int i = 0; i < count; ++i) {
        if (barred.Numbers[i] == pr) {
            return true;
        }
    }
    return false;
}

QString Substitute(QString text, const QString& value) {
    return text.replace(QStringLiteral("%s"), value);
}

}  // namespace

bool ImportParameterValues(DriveLink& link, const QString& fileName, uint32_t lastPr,
                           const TNoImportPr& barred, const ProgramFolders& folders,
                           UserDialogs& dialogs, StatusProgress& progress,
                           const DateTimeSource& now) {
    const QString slashes(26, QLatin1Char('/'));
    ImportLog log(ImportLogPath(folders));
    log.append(slashes + DateTimeText(now()) + QStringLiteral(u"  导入参数") + slashes);
    // The full name, also when the caller gave one relative to the working folder.
    log.append(QStringLiteral(u"参数文件：") + QFileInfo(fileName).absoluteFilePath());
    log.append(QStringLiteral(u"导入长度：") + PrNumberText(lastPr));

    progress.showStatus(QStringLiteral(u"导入备份参数..."));
    progress.showProgressBar(static_cast<int>(lastPr));

    const IniFile file(fileName);
    const QString section = QStringLiteral("PraVal");
    for (uint32_t pr = 0; pr <= lastPr; ++pr) {
        progress.stepProgressBar();
        const QString key = PrNumberText(pr);
        const std::optional<QString> text = file.value(section, key);
        const std::optional<int32_t> given = text ? parseInt32(trimText(*text)) : std::nullopt;
        if (!given) {
            const QString line =
                QStringLiteral(u"参数值错误，导入失败，截止参数号：") + key + QStringLiteral(u"。");
            log.append(line);
            log.save();
            progress.hideProgressBar();
            progress.closeStatus();
            dialogs.showMessage(line, caption::error(), MessageIcon::Error);
            return false;
        }
        if (IsBarred(barred, pr)) {
            log.append(QStringLiteral(u"Pr%1，未导入").arg(key));
            continue;
        }
        const auto value = static_cast<uint16_t>(static_cast<uint32_t>(*given) & 0xFFFF);
        if (!WriteEepromImages16(link, pr, value)) {
            progress.hideProgressBar();
            progress.closeStatus();
            log.append(QStringLiteral(u"写EEPROM出错，参数导入失败，截止参数号：%1。").arg(key));
            log.save();
            dialogs.showMessage(Substitute(TipMessages()[18], key), caption::error(),
                                MessageIcon::Error);
            return false;
        }
        // All three images are read back; a read that fails has not confirmed the value.
        bool verified = true;
        for (int image = 0; image < 3; ++image) {
            uint16_t back = 0;
            const bool read = link.ReadEepromWord(EepromImageAddress(image, pr), back);
            verified = verified && read && back == value;
        }
        if (!verified) {
            progress.hideProgressBar();
            progress.closeStatus();
            log.append(QStringLiteral(u"参数校验出错，导入失败，截止参数号：%1。").arg(key));
            log.save();
            dialogs.showMessage(TipMessages()[34], caption::error(), MessageIcon::Error);
            return false;
        }
    }
    progress.hideProgressBar();
    progress.closeStatus();
    log.append(QStringLiteral(u"参数导入成功。"));
    log.save();
    return true;
}

}  // namespace tevra
