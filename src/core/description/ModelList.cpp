#include "description/ModelList.h"

#include <QFileInfo>

#include <algorithm>

#include "description/ProtectedTextFile.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

const QString kDriverType = QStringLiteral("DriverType");
const QString kDataFile = QStringLiteral("DataFile");
const QString kDefault = QStringLiteral("Default");

// A key written as a plain decimal number ("0", "12"; no sign, no leading zero).
std::optional<int> canonicalIndex(const QString& key) {
    if (key.isEmpty() || key.size() > 9 || (key.size() > 1 && key[0] == u'0')) {
        return std::nullopt;
    }
    int v = 0;
    for (QChar c : key) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

}  // namespace

ModelList::ModelList(const ProgramFolders& folders)
    : ModelList(IniFile(folders.programPath(fileName()))) {}

ModelList::ModelList(IniFile ini) : ini_(std::move(ini)) {
    readNames();
}

void ModelList::readNames() {
    // The keys "0".."N" in order. Only the keys present are visited, so a huge Number
    // costs nothing.
    const int last = ini_.readInt(kDriverType, QStringLiteral("Number"), 0);
    QVector<int> indexes;
    for (const QString& key : ini_.keys(kDriverType)) {
        auto i = canonicalIndex(trimText(key));
        if (i && *i <= last) {
            indexes.append(*i);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    names_.clear();
    for (int i : indexes) {
        const QString name = trimText(ini_.readString(kDriverType, QString::number(i)));
        if (!name.isEmpty()) {
            names_.append(name);
        }
    }
}

int ModelList::selectedIndex() const {
    return ini_.readInt(kDefault, QStringLiteral("Select"), 0);
}

QString ModelList::selectedModel() const {
    return ini_.readString(kDefault, QStringLiteral("SelectModel"));
}

QString ModelList::dataFile(const QString& modelName) const {
    if (trimText(modelName).isEmpty()) {
        return QString();
    }
    return trimText(ini_.readString(kDataFile, trimText(modelName)));
}

void ModelList::setSelectedIndex(int index) {
    ini_.writeInt(kDefault, QStringLiteral("Select"), index);
}

void ModelList::setSelectedModel(const QString& modelName) {
    ini_.writeString(kDefault, QStringLiteral("SelectModel"), modelName);
}

bool ModelList::save(QString* error) {
    return ini_.save(error);
}

QString modelRelativeName(const QString& dataFile) {
    return QStringLiteral("\\Source\\") + dataFile;
}

bool modelFileExists(const ProgramFolders& folders, const QString& dataFile) {
    if (dataFile.isEmpty()) {
        return false;
    }
    return QFileInfo(folders.programPath(modelRelativeName(dataFile))).isFile();
}

ModelDescription LoadModelDescription(const ProgramFolders& folders, const ModelList& models,
                                      const QString& model) {
    ModelDescription d;
    d.model = trimText(model);
    if (d.model.isEmpty()) {
        d.status = ModelDescription::Status::NoModelSelected;
        d.message = QStringLiteral("No model is selected in %1").arg(ModelList::fileName());
        return d;
    }
    const QString dataFile = models.dataFile(d.model);
    if (dataFile.isEmpty()) {
        d.status = ModelDescription::Status::NoDataFile;
        d.message = QStringLiteral("%1 names no data file for the model \"%2\"")
                        .arg(ModelList::fileName(), d.model);
        return d;
    }
    d.relativeName = modelRelativeName(dataFile);
    auto lines = LoadProtectedFile(folders, d.relativeName);
    if (!lines) {
        d.status = lines.error().kind == DescriptionErrorKind::FileMissing
                       ? ModelDescription::Status::FileMissing
                       : ModelDescription::Status::Unreadable;
        d.message = lines.error().toString();
        return d;
    }
    d.status = ModelDescription::Status::Loaded;
    d.lines = std::move(*lines);
    return d;
}

ModelDescription LoadSelectedModelDescription(const ProgramFolders& folders,
                                              const ModelList& models) {
    return LoadModelDescription(folders, models, models.selectedModel());
}

}  // namespace tevra
