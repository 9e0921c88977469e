#include "parameters/GridFind.h"

#include "ini/IniFile.h"
#include "parameters/ParameterGridModel.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

QString UpperLatin(QString text) {
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - 'a' + 'A');
        }
    }
    return text;
}

QString SectionOf(int context) {
    return QStringLiteral("PraGrdFind%1").arg(context);
}

}  // namespace

std::optional<int> FindInGrid(const ParameterGridModel& grid, int selectedRow, const QString& text,
                              bool matchCase) {
    QString needle = trimText(text);
    if (needle.isEmpty()) {
        return std::nullopt;
    }
    if (!matchCase) {
        needle = UpperLatin(needle);
    }
    const int last = grid.gridRowCount() - 1;
    auto matches = [&](int row) {
        QString c = trimText(grid.cell(row, 1));
        if (!matchCase) {
            c = UpperLatin(c);
        }
        return c.contains(needle);
    };
    for (int r = std::max(selectedRow + 1, 1); r <= last; ++r) {
        if (matches(r)) {
            return r;
        }
    }
    for (int r = 1; r <= last; ++r) {
        if (matches(r)) {
            return r;
        }
    }
    return std::nullopt;
}

SavedSearch LoadSavedSearch(const IniFile& config, int context) {
    SavedSearch s;
    s.text = trimText(config.readString(SectionOf(context), QStringLiteral("edtFind")));
    s.matchCase = config.readBool(SectionOf(context), QStringLiteral("chbxUpLow"), false);
    return s;
}

void StoreSavedSearch(IniFile& config, int context, const SavedSearch& search) {
    config.writeString(SectionOf(context), QStringLiteral("edtFind"), trimText(search.text));
    config.writeBool(SectionOf(context), QStringLiteral("chbxUpLow"), search.matchCase);
}

FindWindowPosition LoadFindWindowPosition(const IniFile& config) {
    FindWindowPosition p;
    p.left = config.readInt(QStringLiteral("frmFind"), QStringLiteral("Left"), 0);
    p.top = config.readInt(QStringLiteral("frmFind"), QStringLiteral("Top"), 0);
    return p;
}

void StoreFindWindowPosition(IniFile& config, const FindWindowPosition& position) {
    config.writeInt(QStringLiteral("frmFind"), QStringLiteral("Left"), position.left);
    config.writeInt(QStringLiteral("frmFind"), QStringLiteral("Top"), position.top);
}

}  // namespace tevra
