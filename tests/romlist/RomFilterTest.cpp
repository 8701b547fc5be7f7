#include "support/NamedCases.h"
#include "romlist/RomFilter.h"
#include "support/QtPrinters.h"
#include "util/StringList.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace quarvel {
namespace {

using test::PrintTo;

Rom Machine(const char* romFile, const char* gameName, const char* category, const char* year,
            const char* manufacturer, bool isClone = false, bool inDisk = true)
{
    Rom rom;
    rom.RomFile = QString::fromLatin1(romFile);
    rom.GameName = QString::fromLatin1(gameName);
    rom.Category = QString::fromLatin1(category);
    rom.Year = QString::fromLatin1(year);
    rom.Manufacturer = QString::fromLatin1(manufacturer);
    rom.IsClone = isClone;
    rom.InDisk = inDisk;
    rom.Size = 1000;
    return rom;
}

RomTable Machines()
{
    return {Machine("pacman", "Pac-Man", "Maze / Collect", "1980", "Namco"),
            Machine("mspacman", "Ms. Pac-Man", "Maze / Collect", "1981", "Midway", true),
            Machine("puckman", "Puck Man", "Maze / Collect", "1980", "Namco", false, false),
            Machine("galaga", "Galaga", "", "1981", "Namco"),
            Machine("oddity", "Odd Thing", "Weird / Thing", "1999", "Acme"),
            Machine("xevious", "Xevious", "SHOOTER", "1982", "Atari"),
            Machine("robotron", "Robotron", "Shooter", "2001", "Unit 198 Inc")};
}

std::vector<CategoryItem> Items(const std::vector<std::string>& unchecked = {})
{
    std::vector<CategoryItem> items;
    for (const char* text : {"-Missing Category-", "Maze / Collect", "Shooter"}) {
        const bool isUnchecked = std::find(unchecked.begin(), unchecked.end(), text) != unchecked.end();
        items.push_back({QString::fromLatin1(text), !isUnchecked});
    }
    return items;
}

using Names = std::vector<std::string>;

Names RomFiles(const RomTable& rows)
{
    Names files;
    for (const Rom& rom : rows)
        files.push_back(rom.RomFile.toStdString());
    return files;
}

Names Refiltered(RomFilter& filter, const RomTable& roms, const RomFilterInputs& inputs)
{
    RomTable rows;
    const qsizetype count = filter.Refilter(roms, inputs, rows);
    EXPECT_EQ(count, qsizetype(rows.size()));
    return RomFiles(rows);
}

struct FilterCase {
    std::string name;
    std::string filterText;
    bool showClones;
    std::vector<std::string> uncheckedItems;
    Names expected;
};

class RomFilterCases : public ::testing::TestWithParam<FilterCase> {};

TEST_P(RomFilterCases, ListsExactlyTheAcceptedMachinesInOrder)
{
    const FilterCase& filterCase = GetParam();
    RomFilter filter;
    const RomFilterInputs inputs{QString::fromStdString(filterCase.filterText), filterCase.showClones,
                                 Items(filterCase.uncheckedItems)};
    EXPECT_EQ(Refiltered(filter, Machines(), inputs), filterCase.expected);
}

const std::vector<std::string> EveryItem{"-Missing Category-", "Maze / Collect", "Shooter"};

INSTANTIATE_TEST_SUITE_P(
    Cases, RomFilterCases,
    ::testing::Values(
        FilterCase{"NoFilterHidesClonesAndAbsentArchives", "", false, {},
                   {"pacman", "galaga", "oddity", "xevious", "robotron"}},
        FilterCase{"ClonesSwitchShowsPresentClones", "", true, {},
                   {"pacman", "mspacman", "galaga", "oddity", "xevious", "robotron"}},
        FilterCase{"MissingCategoryGovernsEmptyAndUnknownCategories", "", false, {"-Missing Category-"},
                   {"pacman", "xevious", "robotron"}},
        FilterCase{"ItemGovernsCategoryInOtherLetterCase", "", false, {"Shooter"}, {"pacman", "galaga", "oddity"}},
        FilterCase{"SelectNoneHidesEveryRow", "", true, EveryItem, {}},
        FilterCase{"TextFoldsAsciiCase", "PAC", true, {}, {"pacman", "mspacman"}},
        FilterCase{"YearTextFindsItInEveryField", "198", false, {}, {"pacman", "galaga", "xevious", "robotron"}},
        FilterCase{"CategoryFieldIsSearched", "weird", false, {}, {"oddity"}},
        FilterCase{"MissingDoesNotMatchEmptyCategories", "missing", true, {}, {}},
        FilterCase{"TextIsOneLiteralSubstring", "pac man", true, {}, {}},
        FilterCase{"TextNeverSpansTwoFields", "1980\nnamco", true, {}, {}},
        FilterCase{"TextFilterKeepsTheOtherTests", "a", false, {"Maze / Collect"}, {"galaga", "oddity", "xevious"}},
        FilterCase{"AbsentArchiveNeverListed", "puck", true, {}, {}}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(RomFilter, SelectAllAndClearedTextBringBackWhatTheOtherTestsAllow)
{
    RomFilter filter;
    const RomTable roms = Machines();
    EXPECT_EQ(Refiltered(filter, roms, {QStringLiteral("pac"), false, Items(EveryItem)}), Names());
    EXPECT_EQ(Refiltered(filter, roms, {QStringLiteral("pac"), false, Items()}), Names({"pacman"}));
    EXPECT_EQ(Refiltered(filter, roms, {QString(), false, Items()}),
              Names({"pacman", "galaga", "oddity", "xevious", "robotron"}));
}

TEST(RomFilter, RowsAreFullCopiesAndTheOldRowsGo)
{
    RomFilter filter;
    RomTable rows = {Machine("stale", "Stale", "", "", "")};
    const qsizetype count = filter.Refilter(Machines(), {QStringLiteral("galaga"), false, Items()}, rows);
    ASSERT_EQ(count, 1);
    const Rom& row = rows.front();
    EXPECT_EQ(row.RomFile, QStringLiteral("galaga"));
    EXPECT_EQ(row.GameName, QStringLiteral("Galaga"));
    EXPECT_EQ(row.Manufacturer, QStringLiteral("Namco"));
    EXPECT_TRUE(row.InDisk);
    EXPECT_EQ(row.Size, 1000);
}

TEST(RomFilter, FollowsChangesToTheMachinesAndTheCheckList)
{
    RomFilter filter;
    RomTable roms = Machines();
    EXPECT_EQ(Refiltered(filter, roms, {QStringLiteral("zzz"), false, Items()}), Names());

    // A new import or category list changes the records behind the filter's back.
    roms[4].GameName = QStringLiteral("Zzz Land");
    roms[5].Category = QStringLiteral("Maze / Collect");
    roms[6].InDisk = false;
    EXPECT_EQ(Refiltered(filter, roms, {QStringLiteral("zzz"), false, Items()}), Names({"oddity"}));
    EXPECT_EQ(Refiltered(filter, roms, {QString(), false, Items({"Maze / Collect"})}),
              Names({"galaga", "oddity"}));

    // So does a check list rebuilt from another category list.
    const std::vector<CategoryItem> otherItems{{QStringLiteral("-Missing Category-"), false},
                                               {QStringLiteral("weird / THING"), true}};
    EXPECT_EQ(Refiltered(filter, roms, {QString(), false, otherItems}), Names({"oddity"}));

    roms.resize(2);
    EXPECT_EQ(Refiltered(filter, roms, {QString(), true, Items()}), Names({"pacman", "mspacman"}));
}

TEST(RomFilter, FirstItemOfEqualTextGoverns)
{
    RomFilter filter;
    const std::vector<CategoryItem> items{{QStringLiteral("-Missing Category-"), true},
                                          {QStringLiteral("Shooter"), false},
                                          {QStringLiteral("SHOOTER"), true}};
    EXPECT_EQ(Refiltered(filter, Machines(), {QString(), false, items}), Names({"pacman", "galaga", "oddity"}));
}

TEST(RomFilter, NoMachineListGivesNoRows)
{
    RomFilter filter;
    RomTable rows = Machines();
    EXPECT_EQ(filter.Refilter(RomTable(), {QStringLiteral("a"), true, Items()}, rows), 0);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(RomFilter::FoundCaption(0), QStringLiteral("Found: 0"));
}

TEST(RomFilter, CheckListStartsWithMissingCategory)
{
    StringList names = StringList::SortedUnique();
    names.Add(QStringLiteral("Shooter"));
    names.Add(QStringLiteral("Maze / Collect"));
    EXPECT_EQ(RomFilter::CategoryItemTexts(names), QStringList({"-Missing Category-", "Maze / Collect", "Shooter"}));
}

} // namespace
} // namespace quarvel
