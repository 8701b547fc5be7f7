#include "cli/CliProcess.h"
#include "support/NamedCases.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

const QStringList Collection{"--list", "list.xml", "--source", "roms", "--categories", "cats.ini"};

const QByteArray Header = "Rom\tGame\tYear\tManufacturer\tCategory\tSize\tSizeText\tIsClone\tInDisk\n";
const QByteArray PacmanRow = "pacman\tPac-Man & Co \xC3\xA9t\xC3\xA9\t1980\tNamco\tMaze / Collect\t5\t5 Bytes\t0\t1\n";
const QByteArray PuckmanRow = "puckman\tPuck \"Man\"\t1980\tNamco\tMaze / Collect\t3\t3 Bytes\t1\t1\n";
const QByteArray GalagaRow = "galaga\tGalaga\t1981\t\tShooter / Gallery\t0\t\t0\t0\n";
const QByteArray MysteryRow = "mystery\tMystery\t\t\t\t0\t\t0\t0\n";

struct OutputCase {
    const char* name;
    QStringList arguments;
    QByteArray out;
};

class CliOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(CliOutput, PrintsExactly)
{
    QTemporaryDir folder;
    test::WriteCollection(folder.path());
    const test::CliResult result = test::RunCli(folder.path(), GetParam().arguments);
    EXPECT_EQ(result.err, QByteArray());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliOutput,
    ::testing::Values(
        OutputCase{"ListsEveryMachineInListOrder", QStringList{"list"} + Collection,
                   Header + PacmanRow + PuckmanRow + GalagaRow + MysteryRow},
        OutputCase{"ListsOnlyPresentMachines", QStringList{"list", "--present"} + Collection,
                   Header + PacmanRow + PuckmanRow},
        OutputCase{"LeavesClonesOut", QStringList{"list", "--no-clones"} + Collection,
                   Header + PacmanRow + GalagaRow + MysteryRow},
        OutputCase{"FiltersByTextIgnoringCase", QStringList{"list", "--filter", "NAMCO"} + Collection,
                   Header + PacmanRow + PuckmanRow},
        OutputCase{"FiltersByRepeatedCategories",
                   QStringList{"list", "--category", "Shooter / Gallery", "--category", "-Missing Category-"} + Collection,
                   Header + GalagaRow + MysteryRow},
        OutputCase{"ReadsZipsWithTypeZip", QStringList{"list", "--type", "zip", "--present"} + Collection,
                   Header + "galaga\tGalaga\t1981\t\tShooter / Gallery\t2048\t2.00 KB\t0\t1\n"},
        OutputCase{"TakesFolderWithTrailingDelimiter",
                   QStringList{"list", "--present", "--list", "list.xml", "--source", "roms/", "--categories", "cats.ini"},
                   Header + PacmanRow + PuckmanRow},
        OutputCase{"WritesJsonLines", QStringList{"list", "--format", "json", "--no-clones", "--present"} + Collection,
                   "{\"Rom\":\"pacman\",\"Game\":\"Pac-Man & Co \xC3\xA9t\xC3\xA9\",\"Year\":\"1980\","
                   "\"Manufacturer\":\"Namco\",\"Category\":\"Maze / Collect\",\"Size\":5,\"SizeText\":\"5 Bytes\","
                   "\"IsClone\":0,\"InDisk\":1}\n"},
        OutputCase{"EscapesQuotesInJson", QStringList{"list", "--format", "json", "--filter", "puck"} + Collection,
                   "{\"Rom\":\"puckman\",\"Game\":\"Puck \\\"Man\\\"\",\"Year\":\"1980\",\"Manufacturer\":\"Namco\","
                   "\"Category\":\"Maze / Collect\",\"Size\":3,\"SizeText\":\"3 Bytes\",\"IsClone\":1,\"InDisk\":1}\n"},
        OutputCase{"UsesTheBuiltInCategoriesByDefault",
                   QStringList{"list", "--list", "list.xml", "--source", "roms", "--filter", "galaga"},
                   Header + "galaga\tGalaga\t1981\t\tShooter / Gallery\t0\t\t0\t0\n"},
        OutputCase{"SumsPresentMachines", QStringList{"size"} + Collection, "8\t8 Bytes\n"},
        OutputCase{"SumsAfterTheFilters", QStringList{"size", "--no-clones"} + Collection, "5\t5 Bytes\n"},
        OutputCase{"PrintsVersion", {"--version"}, "quarvel-cli " QUARVEL_VERSION_TEXT "\n"}),
    test::CaseName());

struct StatusCase {
    const char* name;
    QStringList arguments;
    int status;
    QByteArray err;
};

class CliStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(CliStatus, EndsWithOneClearLine)
{
    QTemporaryDir folder;
    test::WriteCollection(folder.path());
    const test::CliResult result = test::RunCli(folder.path(), GetParam().arguments);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.err, "quarvel-cli: " + GetParam().err + "\n");
    EXPECT_EQ(result.out, QByteArray());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliStatus,
    ::testing::Values(
        StatusCase{"RefusesNoCommand", {}, 2, "no command given; see quarvel-cli --help"},
        StatusCase{"RefusesUnknownCommand", {"shuffle"}, 2, "unknown command \"shuffle\"; see quarvel-cli --help"},
        StatusCase{"RefusesUnknownOption", QStringList{"list", "--colour"} + Collection, 2, "Unknown option 'colour'."},
        StatusCase{"RefusesOptionOfAnotherCommand", QStringList{"list", "--dry-run"} + Collection, 2,
                   "this command does not take --dry-run"},
        StatusCase{"RefusesMissingList", {"list", "--source", "roms"}, 2, "--list is required; see --help"},
        StatusCase{"RefusesUnreadableList", {"list", "--list", "none.xml", "--source", "roms"}, 2,
                   "cannot read the list none.xml"},
        StatusCase{"RefusesEmptyList", {"list", "--list", "empty.xml", "--source", "roms"}, 2,
                   "no machine in the list empty.xml"},
        StatusCase{"RefusesMissingSourceFolder", {"size", "--list", "list.xml", "--source", "gone"}, 2,
                   "source folder not found: gone/"},
        StatusCase{"RefusesUnknownType", QStringList{"list", "--type", "rar"} + Collection, 2,
                   "--type must be 7z or zip, not \"rar\""},
        StatusCase{"RefusesUnknownFormat", QStringList{"list", "--format", "xml"} + Collection, 2,
                   "--format must be tsv or json, not \"xml\""},
        StatusCase{"RefusesUnknownCategory", QStringList{"list", "--category", "Pinball"} + Collection, 2,
                   "unknown category \"Pinball\""},
        StatusCase{"RefusesMissingOutputOption", {"clones", "move", "--list", "list.xml", "--source", "roms"}, 2,
                   "--output is required; see --help"},
        StatusCase{"RefusesOutputFolderThatIsNotThere",
                   {"originals", "copy", "--list", "list.xml", "--source", "roms", "--output", "nowhere"}, 2,
                   "output folder not found: nowhere/"}),
    test::CaseName());

struct HelpCase {
    const char* name;
    QStringList arguments;
    QByteArray firstLine;
};

class CliHelpText : public ::testing::TestWithParam<HelpCase> {};

TEST_P(CliHelpText, StartsWithItsUsage)
{
    QTemporaryDir folder;
    const test::CliResult result = test::RunCli(folder.path(), GetParam().arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.left(result.out.indexOf('\n')), GetParam().firstLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliHelpText,
    ::testing::Values(HelpCase{"Program", {"--help"}, "Usage: quarvel-cli COMMAND [OPTIONS]"},
                      HelpCase{"List", {"list", "--help"}, "Usage: quarvel-cli list --list FILE --source DIR [OPTIONS]"},
                      HelpCase{"Size", {"size", "--help"}, "Usage: quarvel-cli size --list FILE --source DIR [OPTIONS]"},
                      HelpCase{"DeleteClones", {"clones", "delete", "--help"},
                               "Usage: quarvel-cli clones delete --list FILE --source DIR [--dry-run]"},
                      HelpCase{"CopyOriginals", {"originals", "copy", "--help"},
                               "Usage: quarvel-cli originals copy --list FILE --source DIR --output DIR [--dry-run]"},
                      HelpCase{"VersionOfCommand", {"size", "--version"}, "quarvel-cli " QUARVEL_VERSION_TEXT}),
    test::CaseName());

TEST(CliRealData, ListsWithTheSharedCategoryList)
{
    QUARVEL_SKIP_WITHOUT_SHARED_DATA(categories, QStringLiteral("category-0.214.ini"));
    QTemporaryDir folder;
    test::WriteCollection(folder.path());
    test::WriteFile(folder.filePath(QStringLiteral("arkanoid.xml")),
                    "<mame><machine name=\"arkanoid\"><description>Arkanoid</description></machine></mame>\n");
    const test::CliResult result = test::RunCli(
        folder.path(), {"list", "--list", "arkanoid.xml", "--source", "roms", "--categories", categories});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, Header + "arkanoid\tArkanoid\t\t\tBall & Paddle / Breakout\t0\t\t0\t0\n");
}

TEST(CliRealMame, ListsTheMachinesTheEmulatorReports)
{
    const QString mame = QStringLiteral("/usr/games/mame");
    if (!QFileInfo(mame).isExecutable())
        GTEST_SKIP() << "MAME is not installed at /usr/games/mame (Debian package mame)";
    QTemporaryDir folder;
    test::WriteCollection(folder.path());
    const test::CliResult result = test::RunCli(folder.path(), {"list", "--list", mame, "--source", "roms"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(Header));
    EXPECT_GT(result.out.count('\n'), 40000);
    EXPECT_TRUE(result.out.contains(
        "\npuckman\tPuck Man (Japan set 1)\t1980\tNamco\tMaze / Collect\t3\t3 Bytes\t0\t1\n"));
}

} // namespace
} // namespace quarvel
