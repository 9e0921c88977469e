#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

#include "shell/ProgramFolders.h"

namespace tevra {

// The files the program needs before any window exists.
namespace missing_file {
inline constexpr uint8_t SysConfig = 1;  // \System\SysConfig.ddt
inline constexpr uint8_t Gain = 2;       // \System\Gain.ddt
inline constexpr uint8_t ConfigIni = 4;  // Config.ini
}  // namespace missing_file

// Extracts a protected file (name relative to the program folder) to a plain copy under
// the given name in the temporary folder; false when the source file does not exist.
using ProtectedFileExtractor =
    std::function<bool(const QString& relativeName, const QString& plainName)>;

struct StartupCheckResult {
    uint8_t MissingFileFlags = 0;
    // The lines of the system error window (empty when nothing is missing).
    QStringList errorLines;

    bool ok() const { return MissingFileFlags == 0; }
};

// Extracts \System\SysConfig.ddt to Define.dat and \System\Gain.ddt to Gain.dat, and
// requires Config.ini in the program folder.
StartupCheckResult RunStartupCheck(const ProgramFolders& folders,
                                   const ProtectedFileExtractor& extract);

// One line per missing file, in the order SysConfig, Gain, Config.ini, then the line with
// the error code; empty for no flags.
QStringList StartupErrorLines(uint8_t missingFileFlags);

// The flags as two upper-case hexadecimal digits ("04").
QString MissingFileErrorCode(uint8_t missingFileFlags);

}  // namespace tevra
