#pragma once

#include <QString>
#include <QStringList>

#include "description/DescriptionResult.h"
#include "ini/IniFile.h"
#include "shell/ProgramFolders.h"

namespace tevra {

// The model list DriType.dat in the program folder (a plain INI file):
//   [DriverType] Number=N and the model names under the keys "0".."N";
//   [DataFile]   model name = data file, relative to the Source folder;
//   [Default]    Select = list index of the selected model, SelectModel = its name.
class ModelList {
  public:
    static QString fileName() { return QStringLiteral("DriType.dat"); }

    // Reads DriType.dat of the program folder; a missing file gives an empty list.
    explicit ModelList(const ProgramFolders& folders);
    explicit ModelList(IniFile ini);

    bool exists() const { return ini_.exists(); }

    // The names of the keys "0".."N" in key order, trimmed; empty or missing keys are
    // skipped.
    const QStringList& names() const { return names_; }
    // Default/Select (default 0) and Default/SelectModel.
    int selectedIndex() const;
    QString selectedModel() const;
    // The model's data file name, trimmed; empty when the model has none.
    QString dataFile(const QString& modelName) const;

    void setSelectedIndex(int index);
    void setSelectedModel(const QString& modelName);
    // Writes the changes back to DriType.dat, keeping every other line.
    bool save(QString* error = nullptr);

  private:
    void readNames();

    IniFile ini_;
    QStringList names_;
};

// A model description decoded into its line list. A model without a data file, a missing
// file or one that cannot be decoded leave the list empty; `status` says which and
// `message` says it in a sentence.
struct ModelDescription {
    enum class Status { Loaded, NoModelSelected, NoDataFile, FileMissing, Unreadable };

    Status status = Status::NoModelSelected;
    QString model;
    QString relativeName;  // "\Source\" + data file
    QStringList lines;
    QString message;
};

// "\Source\" followed by the data file name.
QString modelRelativeName(const QString& dataFile);
bool modelFileExists(const ProgramFolders& folders, const QString& dataFile);

// Decodes the description of `model` (its data file looked up in the list).
ModelDescription LoadModelDescription(const ProgramFolders& folders, const ModelList& models,
                                      const QString& model);
// The same for Default/SelectModel, as the main window does at start-up.
ModelDescription LoadSelectedModelDescription(const ProgramFolders& folders,
                                              const ModelList& models);

}  // namespace tevra
