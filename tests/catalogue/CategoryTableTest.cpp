#include "support/NamedCases.h"
#include "catalogue/CategoryTable.h"
#include "CategoryFixtures.h"
#include "support/TestFiles.h"
#include "util/QuarvelError.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quarvel {
namespace {

using test::PrintTo;

const QByteArray Fixture = "[FOLDER_SETTINGS]\r\n"
                           "RootFolderIcon mame\r\n"
                           "orphan\r\n"
                           "\r\n"
                           "[Maze / Collect]\r\n"
                           "pacman\r\n"
                           "[ROOT_FOLDER]\r\n"
                           "mspacman\r\n"
                           "\r\n"
                           "x[Shoot[er]] y\r\n"
                           "galaga\r\n"
                           ";comment\r\n"
                           "PacMan\r\n"
                           "\r\n"
                           "[Maze / Collect]\r\n"
                           "ladybug\r\n"
                           "[Ball & Paddle]\r\n"
                           "pong";

TEST(CategoryTable, BuildsTheTableAndTheSortedNames)
{
    CategoryTable table;
    StringList names = StringList::SortedUnique();
    names.Add(QStringLiteral("stale"));
    table.Build(test::Compress(Fixture), names);

    EXPECT_EQ(names.Lines(), QStringList({"Ball & Paddle", "Maze / Collect", "xShooter y"}));
    ASSERT_EQ(table.GenreList().size(), 7u);
    EXPECT_EQ(table.GenreList()[1].RomName, QStringLiteral("mspacman")); // after [ROOT_FOLDER], still Maze
    EXPECT_EQ(table.GenreList()[1].Category, QStringLiteral("Maze / Collect"));
    EXPECT_EQ(table.GenreList()[3].RomName, QStringLiteral(";comment"));
}

struct Lookup {
    const char* name;
    const char* rom;
    const char* category;
};

class FindCategoryCases : public ::testing::TestWithParam<Lookup> {};

TEST_P(FindCategoryCases, MatchesTheFrontToBackScan)
{
    CategoryTable table;
    StringList names = StringList::SortedUnique();
    table.Build(test::Compress(Fixture), names);
    EXPECT_EQ(table.FindCategory(QString::fromLatin1(GetParam().rom)), QString::fromLatin1(GetParam().category));
}

INSTANTIATE_TEST_SUITE_P(Cases, FindCategoryCases,
                         ::testing::Values(Lookup{"FirstInFileOrderWins", "pacman", "Maze / Collect"},
                                           Lookup{"AsciiCaseIgnored", "PACMAN", "Maze / Collect"},
                                           Lookup{"SecondSectionOfAName", "ladybug", "Maze / Collect"},
                                           Lookup{"CategoryWithInnerBlank", "galaga", "xShooter y"},
                                           Lookup{"LastLineWithoutABreak", "pong", "Ball & Paddle"},
                                           Lookup{"TrailingSpaceFindsNothing", "pacman ", ""},
                                           Lookup{"NameBeforeTheFirstCategory", "orphan", ""},
                                           Lookup{"EmptyName", "", ""}),
                         test::CaseName());

TEST(CategoryTable, EmptyTableFindsNothing)
{
    EXPECT_EQ(CategoryTable().FindCategory(QStringLiteral("pacman")), QString());
}

TEST(CategoryTable, DataThatDoesNotInflateKeepsTheTable)
{
    CategoryTable table;
    StringList names = StringList::SortedUnique();
    table.Build(test::Compress(Fixture), names);
    EXPECT_THROW(table.Build(QByteArray(), names), QuarvelError);
    EXPECT_THROW(table.Build(test::Compress(Fixture).chopped(4), names), QuarvelError);
    EXPECT_EQ(table.FindCategory(QStringLiteral("pong")), QStringLiteral("Ball & Paddle"));
    EXPECT_EQ(names.Count(), 3);
}

TEST(CategoryTable, RealThirdPartyList)
{
    QUARVEL_SKIP_WITHOUT_SHARED_DATA(realList, QStringLiteral("category-0.214.ini"));
    CategoryTable table;
    StringList names = StringList::SortedUnique();
    table.Build(test::Compress(test::ReadFile(realList)), names);

    EXPECT_EQ(names.Count(), 369);
    EXPECT_EQ(table.GenreList().size(), 40808u);
    EXPECT_EQ(table.FindCategory(QStringLiteral("arkanoid")), QStringLiteral("Ball & Paddle / Breakout"));
    EXPECT_EQ(table.FindCategory(QStringLiteral("ARKANOID")), QStringLiteral("Ball & Paddle / Breakout"));
    // The index answers as a front-to-back scan would.
    const std::vector<Genres>& list = table.GenreList();
    for (std::size_t i = 0; i < list.size(); i += 97) {
        const QString upper = list[i].RomName.toString().toUpper();
        const auto first = std::find_if(list.begin(), list.end(), [&](const Genres& g) {
            return g.RomName.compare(upper, Qt::CaseInsensitive) == 0;
        });
        EXPECT_EQ(table.FindCategory(upper), first->Category) << upper.toStdString();
    }
}

TEST(CategoryTable, AssignsEveryMachineItsCategoryFromANewList)
{
    CategoryTable table;
    StringList names = StringList::SortedUnique();
    table.BuildFromCatver(TextLines::Decode(test::CatverFixture), names);
    RomTable roms(3);
    roms[0].RomFile = QStringLiteral("PACMAN");
    roms[1].RomFile = QStringLiteral("dkong");
    roms[1].Category = QStringLiteral("From the old list");
    roms[2].RomFile = QStringLiteral("zaxxon");

    table.AssignCategories(roms);
    EXPECT_EQ(roms[0].Category, QStringLiteral("Maze / Collect"));
    EXPECT_EQ(roms[1].Category, QString());
    EXPECT_EQ(roms[2].Category, QStringLiteral("Shooter / Flying Diagonal * Mature *"));
}

} // namespace
} // namespace quarvel
