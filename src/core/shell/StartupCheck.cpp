#include "shell/StartupCheck.h"

#include <QFileInfo>

#include "text/TextUtil.h"

namespace tevra {

QString MissingFileErrorCode(uint8_t missingFileFlags) {
    return hexText(missingFileFlags, 2);
}

QStringList StartupErrorLines(uint8_t flags) {
    QStringList lines;
    if (flags == 0) {
        return lines;
    }
    if (flags & missing_file::SysConfig) {
        lines << QStringLiteral(u"参数配置文件丢失，文件名: \\System\\SysConfig.ddt。");
    }
    if (flags & missing_file::Gain) {
        lines << QStringLiteral(u"自适应增益文件丢失，文件名: \\System\\Gain.ddt。");
    }
    if (flags & missing_file::ConfigIni) {
        lines << QStringLiteral(u"系统配置文件丢失，文件名: \\%1。").arg(u"Config.ini");
    }
    lines << QStringLiteral(u"错误代码：%1，由于重要文件缺失，系统将退出！")
                 .arg(MissingFileErrorCode(flags));
    return lines;
}

StartupCheckResult RunStartupCheck(const ProgramFolders& folders,
                                   const ProtectedFileExtractor& extract) {
    StartupCheckResult result;
    if (!extract(QStringLiteral("\\System\\SysConfig.ddt"), QStringLiteral("Define.dat"))) {
        result.MissingFileFlags |= missing_file::SysConfig;
    }
    if (!extract(QStringLiteral("\\System\\Gain.ddt"), QStringLiteral("Gain.dat"))) {
        result.MissingFileFlags |= missing_file::Gain;
    }
    if (!QFileInfo::exists(folders.configIniPath())) {
        result.MissingFileFlags |= missing_file::ConfigIni;
    }
    result.errorLines = StartupErrorLines(result.MissingFileFlags);
    return result;
}

}  // namespace tevra
