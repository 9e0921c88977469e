#include <gtest/gtest.h>

#include "ini/IniFile.h"
#include "parameters/GridFind.h"
#include "parameters/ParameterGridModel.h"

namespace tevra {
namespace {

void Fill(ParameterGridModel& grid, const QStringList& names) {
    QVector<QStringList> rows;
    for (int i = 0; i < names.size(); ++i) {
        rows.append({QString::number(i, 16), names[i], QStringLiteral(u"未知")});
    }
    grid.setDataRows(rows);
}

TEST(GridFind, SearchesBelowTheSelectionThenWrapsAround) {
    ParameterGridModel grid;
    Fill(grid,
         {"Position Gain", " Speed Gain ", "Speed Integral", "Torque Filter", "Speed Gain 2"});
    struct Case {
        int selected;
        QString text;
        bool matchCase;
        std::optional<int> found;
    };
    const Case cases[] = {
        {1, "gain", false, 2},
        {1, "gain", true, std::nullopt},
        {2, "Speed Gain", true, 5},
        // From the last row the search wraps to the top.
        {5, "Integral", false, 3},
        // A match only in the selected row is found again in the second pass.
        {4, "Torque", false, 4},
        {1, "  ", false, std::nullopt},
        {1, "missing", false, std::nullopt},
        // The header row is never searched.
        {0, QStringLiteral(u"名称"), false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindInGrid(grid, c.selected, c.text, c.matchCase), c.found)
            << c.selected << " " << c.text.toStdString() << " " << c.matchCase;
    }
}

TEST(GridFind, OnlyLatinLettersAreFoldedWithoutMatchCase) {
    ParameterGridModel grid;
    Fill(grid, {QStringLiteral(u"速度增益Kp"), QStringLiteral(u"ÄNDERUNG")});
    EXPECT_EQ(FindInGrid(grid, 0, QStringLiteral(u"增益kp"), false), 1);
    EXPECT_EQ(FindInGrid(grid, 0, QStringLiteral(u"änderung"), false), std::nullopt);
}

TEST(GridFind, SavedSearchAndWindowPositionRoundTrip) {
    IniFile config;
    EXPECT_EQ(LoadSavedSearch(config, 1).text, QString());
    EXPECT_FALSE(LoadSavedSearch(config, 1).matchCase);
    StoreSavedSearch(config, 1, {QStringLiteral("  gain "), true});
    StoreFindWindowPosition(config, {120, -4});
    const IniFile reread = IniFile::fromBytes(config.toBytes());
    EXPECT_EQ(LoadSavedSearch(reread, 1).text, QStringLiteral("gain"));
    EXPECT_TRUE(LoadSavedSearch(reread, 1).matchCase);
    EXPECT_EQ(reread.readString("PraGrdFind1", "chbxUpLow"), QStringLiteral("1"));
    EXPECT_EQ(LoadSavedSearch(reread, 2).text, QString());
    EXPECT_EQ(LoadFindWindowPosition(reread).left, 120);
    EXPECT_EQ(LoadFindWindowPosition(reread).top, -4);
}

}  // namespace
}  // namespace tevra
