#include "support/NamedCases.h"
#include "catalogue/CategoryListFile.h"
#include "catalogue/CategoryTable.h"
#include "CategoryFixtures.h"
#include "support/QtPrinters.h"
#include "support/TestFiles.h"
#include "util/QuarvelError.h"
#include "util/StringList.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include <sys/stat.h>

namespace quarvel {
namespace {

using test::PrintTo;

class CategoryListFileTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        test::WriteFile(path, bytes);
        return path;
    }

    QTemporaryDir folder;
    CategoryTable table;
    StringList names = StringList::SortedUnique();
};

TEST_F(CategoryListFileTest, CatverTakesTheCategorySectionInFileOrder)
{
    const CategoryListSummary summary = CategoryListFile::Load(Write("catver.ini", test::CatverFixture), table, names);

    EXPECT_EQ(summary.Format, CategoryListFormat::Catver);
    EXPECT_EQ(names.Lines(), QStringList({"Maze / Collect", "Shooter", "Shooter / Flying Diagonal * Mature *",
                                          "Shooter / Flying Vertical"}));
    QStringList romNames;
    for (const Genres& genre : table.GenreList())
        romNames.append(genre.RomName.toString());
    EXPECT_EQ(romNames, QStringList({"pacman", "mspacman", "galaga", "PacMan", "zaxxon"}));
    EXPECT_EQ(summary.Categories, 4);
    EXPECT_EQ(summary.Machines, 5);
    EXPECT_EQ(table.FindCategory(QStringLiteral("PACMAN")), QStringLiteral("Maze / Collect")); // first entry wins
    EXPECT_EQ(table.FindCategory(QStringLiteral("galaga")), QStringLiteral("Shooter / Flying Vertical"));
    EXPECT_EQ(table.FindCategory(QStringLiteral("dkong")), QString()); // only in [VerAdded]
}

TEST_F(CategoryListFileTest, CatverInUtf16WithItsMarkLoads)
{
    QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray bytes = toUtf16(QString::fromUtf8(test::CatverFixture));
    CategoryListFile::Load(Write("catver.ini", bytes), table, names);
    EXPECT_EQ(table.FindCategory(QStringLiteral("zaxxon")), QStringLiteral("Shooter / Flying Diagonal * Mature *"));
}

TEST_F(CategoryListFileTest, SectionedListBuildsAsTheBuiltInOne)
{
    const CategoryListSummary summary =
        CategoryListFile::Load(Write("category.ini", test::SectionsFixture), table, names);
    EXPECT_EQ(summary.Format, CategoryListFormat::Sections);
    EXPECT_EQ(names.Lines(), QStringList({"Ball & Paddle / Breakout", "Maze / Collect"}));
    EXPECT_EQ(table.FindCategory(QStringLiteral("pacman")), QStringLiteral("Maze / Collect"));
}

TEST_F(CategoryListFileTest, RealSectionedList)
{
    QUARVEL_SKIP_WITHOUT_SHARED_DATA(path, QStringLiteral("category-0.214.ini"));
    const CategoryListSummary summary = CategoryListFile::Load(path, table, names);
    EXPECT_EQ(summary.Format, CategoryListFormat::Sections);
    EXPECT_EQ(summary.Categories, 369);
    EXPECT_EQ(summary.Machines, 40808);
    EXPECT_EQ(table.FindCategory(QStringLiteral("arkanoid")), QStringLiteral("Ball & Paddle / Breakout"));
}

struct FormatCase {
    std::string name;
    QByteArray linesText;
    std::optional<CategoryListFormat> expected;
};

class DetectFormatCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DetectFormatCases, DecidesByTheFirstLineOnlyOneFormatAllows)
{
    EXPECT_EQ(CategoryListFile::DetectFormat(GetParam().linesText), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectFormatCases,
    ::testing::Values(
        FormatCase{"Catver", "[Category]\r\npacman=Maze\r\n", CategoryListFormat::Catver},
        FormatCase{"CatverWithVerAddedFirst", "[VerAdded]\r\npacman=0.30\r\n[Category]\r\npacman=Maze\r\n",
                   CategoryListFormat::Catver},
        FormatCase{"SectionedWithFolderSettings", "[FOLDER_SETTINGS]\r\nRootFolderIcon mame\r\n[Maze]\r\npacman\r\n",
                   CategoryListFormat::Sections},
        FormatCase{"SectionedCategoryNamedCategory", "[Category]\r\npacman\r\n", CategoryListFormat::Sections},
        FormatCase{"OtherIniFile", "[Options]\r\nrompath=roms\r\n", std::nullopt},
        FormatCase{"SectionsWithoutMachines", "[Maze]\r\n\r\n[Shooter]\r\n; none\r\n", std::nullopt},
        FormatCase{"ProseWithBrackets", "[1] See the notes below.\r\nThey say more.\r\n", std::nullopt},
        FormatCase{"NoSectionAtAll", "pacman\r\ngalaga\r\n", std::nullopt}),
    [](const auto& testInfo) { return testInfo.param.name; });

struct RefusalCase {
    std::string name;
    QByteArray bytes;
    QString reason; // the end of the log line, after the quoted path
};

class RefusedFiles : public CategoryListFileTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedFiles, GiveOneLogLineAndKeepTheCurrentList)
{
    CategoryListFile::Load(Write("good.ini", test::CatverFixture), table, names);
    const QString path = Write("bad.ini", GetParam().bytes);
    try {
        CategoryListFile::Load(path, table, names);
        FAIL() << "loaded";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Category list not loaded: \"%1\"%2").arg(path, GetParam().reason));
    }
    EXPECT_EQ(table.GenreList().size(), 5u);
    EXPECT_EQ(names.Count(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedFiles,
    ::testing::Values(
        RefusalCase{"Empty", "", QStringLiteral(" is empty.")},
        RefusalCase{"OnlyBlankLines", "\r\n \r\n\t\n", QStringLiteral(" is empty.")},
        RefusalCase{"Binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
                    QStringLiteral(" is a binary file, not a category list.")},
        RefusalCase{"NulPastTheFirstBytes", QByteArray(70000, 'a') + QByteArray(1, '\0'),
                    QStringLiteral(" is a binary file, not a category list.")},
        RefusalCase{"NeitherFormat", "[Options]\nrompath=roms\n",
                    QStringLiteral(" is neither a catver.ini nor a sectioned category list.")}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST_F(CategoryListFileTest, UnreadableFileIsRefused)
{
    const QString path = folder.filePath(QStringLiteral("absent.ini"));
    try {
        CategoryListFile::Load(path, table, names);
        FAIL() << "loaded";
    } catch (const QuarvelError& error) {
        EXPECT_TRUE(error.Message().startsWith(
            QStringLiteral("Category list not loaded: Cannot open file \"%1\". ").arg(path)))
            << error.Message().toStdString();
    }
}

// Opening a pipe for reading waits for a writer: the load must refuse it without opening it.
TEST_F(CategoryListFileTest, PipeIsRefusedWithoutWaitingForAWriter)
{
    const QString path = folder.filePath(QStringLiteral("catver.ini"));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    try {
        CategoryListFile::Load(path, table, names);
        FAIL() << "loaded";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("Category list not loaded: Cannot open file \"%1\". It is not a regular file.").arg(path));
    }
}

TEST_F(CategoryListFileTest, HugeFileIsRefusedUnread)
{
    // A sparse file: 100 MB on paper, nothing on disk, and nothing of it may be read.
    const QString path = folder.filePath(QStringLiteral("junk.ini"));
    QFile junk(path);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    ASSERT_TRUE(junk.resize(qint64(100) << 20));
    junk.close();
    try {
        CategoryListFile::Load(path, table, names);
        FAIL() << "loaded";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("Category list not loaded: \"%1\" is larger than 64 MB, too large for a category list.")
                      .arg(path));
    }
}

} // namespace
} // namespace quarvel
