#include "catalogue/CategoryListChooser.h"
#include "catalogue/CategoryTable.h"
#include "CategoryFixtures.h"
#include "settings/CategoriesSetting.h"
#include "support/QtPrinters.h"
#include "support/RecordingSinks.h"
#include "support/TestFiles.h"
#include "util/StringList.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

// A home folder, a MAME folder and the built-in list, all in one temporary folder.
class CategoryListChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteFile(builtInPath, test::Compress("[Built In]\r\nbuiltin\r\n"));
    }

    QString Home(const QString& relative) const { return root.filePath(QStringLiteral("home/") + relative); }
    QString MameFolder(const QString& name) const { return root.filePath(QStringLiteral("games/") + name); }

    QString Put(const QString& path, const QByteArray& bytes)
    {
        test::WriteFile(path, bytes);
        return path;
    }

    QString LoadAtStartup(const CategoriesChoice& remembered)
    {
        CategoryListChooser chooser(builtInPath, finder, log);
        return chooser.LoadAtStartup(remembered, table, names);
    }

    bool UsesBuiltInList() const { return table.FindCategory(QStringLiteral("builtin")) == QStringLiteral("Built In"); }

    QTemporaryDir root;
    QString builtInPath = root.filePath(QStringLiteral("genres.z"));
    CategoryListFinder finder{root.filePath(QStringLiteral("home")), MameFolder(QStringLiteral("mame"))};
    test::RecordingLog log;
    CategoryTable table;
    StringList names = StringList::SortedUnique();
};

const CategoriesChoice NothingChosen{};

TEST_F(CategoryListChooserTest, LooksForCatverThenCategoryInTheUsualFolders)
{
    EXPECT_EQ(finder.Folders(), QStringList({Home(".mame/folders"), Home(".mame/ini"), Home(".mame"),
                                             root.filePath(QStringLiteral("games"))}));
    const QString sectioned = Put(Home(".mame/folders/category.ini"), test::SectionsFixture);
    const QString nextToMame = Put(MameFolder("catver.ini"), test::CatverFixture);
    const QString inMame = Put(Home(".mame/catver.ini"), test::CatverFixture);
    QDir().mkpath(Home(".mame/ini/catver.ini")); // a folder of that name is no list

    EXPECT_EQ(finder.FindLists(), QStringList({inMame, nextToMame, sectioned}));
}

TEST_F(CategoryListChooserTest, NoMameExecutableLeavesItsFolderOut)
{
    EXPECT_EQ(CategoryListFinder(root.filePath(QStringLiteral("home")), QString()).Folders().size(), 3);
}

TEST_F(CategoryListChooserTest, NothingChosenAndNothingFoundUsesTheBuiltInList)
{
    EXPECT_EQ(LoadAtStartup(NothingChosen), QString());
    EXPECT_TRUE(UsesBuiltInList());
    ASSERT_EQ(log.lines.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Categories parsed \\[\\d+ ms\\]$")).match(log.lines[0]).hasMatch());
}

TEST_F(CategoryListChooserTest, NothingChosenUsesTheFirstListThatLoads)
{
    const QString junk = Put(Home(".mame/ini/catver.ini"), "just some words\n");
    const QString good = Put(Home(".mame/category.ini"), test::SectionsFixture);

    EXPECT_EQ(LoadAtStartup(NothingChosen), good);
    EXPECT_EQ(table.FindCategory(QStringLiteral("arkanoid")), QStringLiteral("Ball & Paddle / Breakout"));
    ASSERT_EQ(log.lines.size(), 2);
    EXPECT_TRUE(log.lines[0].startsWith(QStringLiteral("Category list not loaded: \"%1\"").arg(junk)));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Category list \"%1\" loaded: 2 categories, 2 machines \\[\\d+ ms\\]$")
                                       .arg(QRegularExpression::escape(good)))
                    .match(log.lines[1])
                    .hasMatch())
        << log.lines[1].toStdString();
}

TEST_F(CategoryListChooserTest, RememberedFileWinsOverTheUsualPlaces)
{
    Put(Home(".mame/catver.ini"), test::CatverFixture);
    const QString chosen = Put(root.filePath(QStringLiteral("lists/mine.ini")), test::SectionsFixture);
    EXPECT_EQ(LoadAtStartup({CategoriesChoice::Source::File, chosen}), chosen);
    EXPECT_EQ(table.FindCategory(QStringLiteral("pacman")), QStringLiteral("Maze / Collect"));
    EXPECT_EQ(table.FindCategory(QStringLiteral("zaxxon")), QString());
}

TEST_F(CategoryListChooserTest, RememberedBuiltInListIsNotReplacedByAFoundOne)
{
    Put(Home(".mame/catver.ini"), test::CatverFixture);
    EXPECT_EQ(LoadAtStartup({CategoriesChoice::Source::BuiltIn, QString()}), QString());
    EXPECT_TRUE(UsesBuiltInList());
}

TEST_F(CategoryListChooserTest, RememberedFileThatIsGoneFallsBackWithOneLine)
{
    Put(Home(".mame/catver.ini"), test::CatverFixture);
    const QString gone = root.filePath(QStringLiteral("lists/gone.ini"));
    EXPECT_EQ(LoadAtStartup({CategoriesChoice::Source::File, gone}), QString());
    EXPECT_TRUE(UsesBuiltInList());
    ASSERT_EQ(log.lines.size(), 2);
    EXPECT_EQ(log.lines[0], QStringLiteral("Category list \"%1\" not found, using the built-in list").arg(gone));
}

TEST_F(CategoryListChooserTest, RememberedFileThatIsRefusedFallsBack)
{
    const QString bad = Put(root.filePath(QStringLiteral("lists/bad.ini")), QByteArray("\0\1\2", 3));
    EXPECT_EQ(LoadAtStartup({CategoriesChoice::Source::File, bad}), QString());
    EXPECT_TRUE(UsesBuiltInList());
    ASSERT_EQ(log.lines.size(), 2);
    EXPECT_TRUE(log.lines[0].startsWith(QStringLiteral("Category list not loaded: ")));
}

TEST_F(CategoryListChooserTest, RefusedFileKeepsTheCurrentList)
{
    CategoryListChooser chooser(builtInPath, finder, log);
    chooser.LoadBuiltIn(table, names);
    EXPECT_FALSE(chooser.LoadFile(Put(root.filePath(QStringLiteral("empty.ini")), ""), table, names));
    EXPECT_TRUE(UsesBuiltInList());
    EXPECT_EQ(names.Lines(), QStringList({"Built In"}));
}

} // namespace
} // namespace quarvel
