#pragma once

#include <QString>

#include <optional>

namespace tevra {

class IniFile;
class ParameterGridModel;

// Finds a text in column 1 (the name) of a parameter grid: first in the rows below the
// selected row, then from row 1 to the last row (the selected row included). Texts are
// trimmed; without match case both are upper-cased (Latin letters only). An empty text
// matches nothing. Returns the row found.
std::optional<int> FindInGrid(const ParameterGridModel& grid, int selectedRow, const QString& text,
                              bool matchCase);

// The search the find window remembers, per find context number, in Config.ini section
// "PraGrdFind<n>": edtFind (the trimmed text) and chbxUpLow (match case).
struct SavedSearch {
    QString text;
    bool matchCase = false;
};
SavedSearch LoadSavedSearch(const IniFile& config, int context);
void StoreSavedSearch(IniFile& config, int context, const SavedSearch& search);

// The find window's position, Config.ini frmFind/Left and Top (default 0, 0).
struct FindWindowPosition {
    int left = 0;
    int top = 0;
};
FindWindowPosition LoadFindWindowPosition(const IniFile& config);
void StoreFindWindowPosition(IniFile& config, const FindWindowPosition& position);

// The balloon text when nothing was found.
inline constexpr char16_t kFindNothingText[] = u"没找着匹配的字符，请重新输入！";

}  // namespace tevra
