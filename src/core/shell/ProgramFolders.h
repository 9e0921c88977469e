#pragma once

#include <QString>

namespace tevra {

// The program folder (the executable's folder: System/, Source/, Config.ini, DriType.dat,
// Help/, Log/) and the temporary folder for the plain copies. Relative names are written
// as the drive files name them, with backslashes ("\System\SysConfig.ddt"); they are
// appended to the folder with the platform's separators.
class ProgramFolders {
  public:
    ProgramFolders() = default;
    ProgramFolders(QString programFolder, QString tempFolder);

    // The folder of the running executable and the system's temporary folder.
    static ProgramFolders forApplication();

    const QString& programFolder() const { return program_; }
    const QString& tempFolder() const { return temp_; }

    // programFolder() + relative name, separators converted.
    QString programPath(const QString& relativeName) const;
    QString tempPath(const QString& name) const;
    QString configIniPath() const { return programPath(QStringLiteral("Config.ini")); }

  private:
    QString program_;  // with a trailing '/'
    QString temp_;     // with a trailing '/'
};

}  // namespace tevra
