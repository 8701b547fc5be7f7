#include "support/NamedCases.h"
#include "FolderFixtures.h"
#include "reporting/EventPump.h"
#include "support/TestFiles.h"
#include "util/FileFinder.h"
#include "util/FolderFiles.h"
#include "util/StringList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

struct Options {
    QString mask = QStringLiteral("*");
    bool stopAtFirst = false;
    bool recurse = false;
    QString extFilter{};
    bool sizeFilter = false;
    qint64 matchSize = 0;
    bool includeSystem = true;
    bool includeHidden = true;
    bool includeDirs = false;
    bool collectSizes = false;
};

void Find(StringList& list, TIntArray& sizes, const QString& folder, const Options& options, EventPump& pump)
{
    FindFiles(list, folder, options.mask, options.stopAtFirst, options.recurse, options.extFilter, options.sizeFilter,
              options.matchSize, options.includeSystem, options.includeHidden, options.includeDirs,
              options.collectSizes, sizes, pump);
}

void Find(StringList& list, TIntArray& sizes, const QString& folder, const Options& options)
{
    NoEventPump noPump;
    Find(list, sizes, folder, options, noPump);
}

// The paths found, relative to root, for readable expectations.
QStringList FindRelative(const QString& root, const Options& options)
{
    StringList list;
    TIntArray sizes;
    Find(list, sizes, root, options);
    QStringList relative;
    for (const QString& path : list.Lines()) {
        EXPECT_TRUE(path.startsWith(root + QStringLiteral("/"))) << path.toStdString();
        relative.append(path.mid(root.size() + 1));
    }
    return relative;
}

// root: the folder every attribute and recursion case searches.
//   .cache/c.7z  .h.7z  A.7Z(5)  b.7z(3)  dir.7z/x.7z  fifo.7z(FIFO)  note.txt  sock.7z(socket)
//   sub/.hs.7z  sub/s.7z  sub/deep/d.7z
class AttributeTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        test::WriteFile(Path(".cache/c.7z"), "c");
        test::WriteFile(Path(".h.7z"), "hh");
        test::WriteFile(Path("A.7Z"), "AAAAA");
        test::WriteFile(Path("b.7z"), "bbb");
        test::WriteFile(Path("dir.7z/x.7z"), "x");
        test::MakeFifo(Path("fifo.7z"));
        test::WriteFile(Path("note.txt"), "note");
        test::MakeSocket(Path("sock.7z"));
        test::WriteFile(Path("sub/.hs.7z"), "h");
        test::WriteFile(Path("sub/s.7z"), "s");
        test::WriteFile(Path("sub/deep/d.7z"), "d");
    }

    QString Root() const { return dir.path(); }
    QString Path(const char* relative) const { return dir.filePath(QString::fromUtf8(relative)); }

    QTemporaryDir dir;
};

struct AttributeCase {
    const char* name;
    Options options;
    QStringList expected;
};

class AttributeCases : public AttributeTree, public ::testing::WithParamInterface<AttributeCase> {};

TEST_P(AttributeCases, SelectsTheEntriesInDepthFirstNameOrder)
{
    EXPECT_EQ(FindRelative(Root(), GetParam().options), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FileFinder, AttributeCases,
    ::testing::Values(
        AttributeCase{"Everything", {.mask = "*.7z"}, {".h.7z", "A.7Z", "b.7z", "fifo.7z", "sock.7z"}},
        AttributeCase{"NoHidden", {.mask = "*.7z", .includeHidden = false}, {"A.7Z", "b.7z", "fifo.7z", "sock.7z"}},
        AttributeCase{"NoSystem", {.mask = "*.7z", .includeSystem = false}, {".h.7z", "A.7Z", "b.7z"}},
        AttributeCase{"Folders",
                      {.mask = "*.7z", .includeDirs = true},
                      {".h.7z", "A.7Z", "b.7z", "dir.7z", "fifo.7z", "sock.7z"}},
        // Subfolders are entered whatever the options say, except those whose name starts with a
        // dot; the files in them still pass the same filters.
        AttributeCase{"RecurseFiltered",
                      {.mask = "*.7z", .recurse = true, .includeSystem = false, .includeHidden = false},
                      {"A.7Z", "b.7z", "dir.7z/x.7z", "sub/s.7z", "sub/deep/d.7z"}},
        AttributeCase{"RecurseEverything",
                      {.mask = "*.7z", .recurse = true, .includeDirs = true},
                      {".h.7z", "A.7Z", "b.7z", "dir.7z", "fifo.7z", "sock.7z", "dir.7z/x.7z", "sub/.hs.7z",
                       "sub/s.7z", "sub/deep/d.7z"}},
        AttributeCase{"DotEntriesWithAllFolders",
                      {.includeDirs = true},
                      {".", "..", ".cache", ".h.7z", "A.7Z", "b.7z", "dir.7z", "fifo.7z", "note.txt", "sock.7z",
                       "sub"}},
        AttributeCase{"DotEntriesAreNotHidden",
                      {.includeSystem = false, .includeHidden = false, .includeDirs = true},
                      {".", "..", "A.7Z", "b.7z", "dir.7z", "note.txt", "sub"}},
        // The extension is the text from the last dot, so "." and ".." have one; letter case counts.
        AttributeCase{"ExtFilterSeesFoldersToo",
                      {.extFilter = ".7z", .includeDirs = true},
                      {".", "..", ".h.7z", "b.7z", "dir.7z", "fifo.7z", "sock.7z"}},
        AttributeCase{"SizeFilterZeroTakesFoldersAndSpecialFiles",
                      {.sizeFilter = true, .matchSize = 0, .includeDirs = true},
                      {".", "..", ".cache", "dir.7z", "fifo.7z", "sock.7z", "sub"}},
        AttributeCase{"SizeFilter",
                      {.recurse = true, .sizeFilter = true, .matchSize = 1},
                      {"dir.7z/x.7z", "sub/.hs.7z", "sub/s.7z", "sub/deep/d.7z"}}),
    test::CaseName());

TEST_F(AttributeTree, TrailingDelimiterOrNotSearchesTheSameFolderWithTheSamePaths)
{
    StringList withoutDelimiter;
    StringList withDelimiter;
    TIntArray sizes;
    const Options options{.recurse = true, .includeDirs = true};
    Find(withoutDelimiter, sizes, Root(), options);
    Find(withDelimiter, sizes, Root() + QStringLiteral("/"), options);

    EXPECT_EQ(withoutDelimiter.Lines(), withDelimiter.Lines());
    EXPECT_TRUE(withoutDelimiter.Lines().contains(Path("sub/deep/d.7z")));
    for (const QString& path : withDelimiter.Lines())
        EXPECT_FALSE(path.contains(QStringLiteral("//"))) << path.toStdString();
}

TEST(FileFinder, EmptyFolderSearchesTheRoot)
{
    StringList fromEmpty;
    StringList fromRoot;
    TIntArray sizes;
    const Options options{.includeDirs = true};
    Find(fromEmpty, sizes, QString(), options);
    Find(fromRoot, sizes, QStringLiteral("/"), options);

    EXPECT_EQ(fromEmpty.Lines(), fromRoot.Lines());
    EXPECT_TRUE(fromEmpty.Lines().contains(QStringLiteral("/..")));
    for (const QString& path : fromEmpty.Lines())
        EXPECT_EQ(path.lastIndexOf(u'/'), 0) << path.toStdString();
}

TEST(FileFinder, AFolderThatCannotBeListedAddsNothing)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("file.7z")), "data");
    const QStringList folders = {dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("file.7z")),
                                 dir.filePath(QStringLiteral("missing/deeper/"))};
    for (const QString& folder : folders) {
        for (const bool recurse : {false, true}) {
            StringList list;
            list.Add(QStringLiteral("kept"));
            TIntArray sizes{7};
            test::CountingPump pump;
            Find(list, sizes, folder, {.recurse = recurse, .includeDirs = true, .collectSizes = true}, pump);
            EXPECT_EQ(list.Lines(), QStringList{"kept"}) << folder.toStdString();
            EXPECT_EQ(sizes, TIntArray{7});
            EXPECT_EQ(pump.calls, 1);
        }
    }
}

TEST(FileFinder, StopAtFirstTakesTheFirstEntryInDepthFirstOrderAndListsNoFurtherFolder)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("note.txt")), "note");
    test::WriteFile(dir.filePath(QStringLiteral("a/deeper/first.7z")), "first");
    test::WriteFile(dir.filePath(QStringLiteral("a/deeper/later.7z")), "later!");
    test::WriteFile(dir.filePath(QStringLiteral("b/second.7z")), "second");

    StringList list;
    TIntArray sizes;
    test::CountingPump pump;
    FindStopFlag = false;
    Find(list, sizes, dir.path(),
         {.mask = "*.7z", .stopAtFirst = true, .recurse = true, .collectSizes = true}, pump);

    EXPECT_EQ(list.Lines(), QStringList{dir.filePath(QStringLiteral("a/deeper/first.7z"))});
    EXPECT_EQ(sizes, TIntArray{5});
    EXPECT_TRUE(FindStopFlag);
    // root: 1 + its five entries (".", "..", "a", "b", "note.txt"); a: 1 + three; a/deeper: 1.
    // Listing b would add four more.
    EXPECT_EQ(pump.calls, 11);
}

TEST(FileFinder, ExtFilterLooksForTheExtensionInsideTheFilterText)
{
    QTemporaryDir dir;
    for (const char* name : {"a.7z", "b.zip", "c.ZIP", "noext", "d.z", "e.7", "f.rar", "g.7z.bak"})
        test::WriteFile(dir.filePath(QString::fromUtf8(name)), "x");

    EXPECT_EQ(FindRelative(dir.path(), {.extFilter = ".7z.zip"}), QStringList({"a.7z", "b.zip", "d.z", "e.7"}));
}

TEST(FileFinder, CollectedSizesFollowThePathsWithThePrefilledOffset)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("one.7z")), "1");
    test::WriteFile(dir.filePath(QStringLiteral("three.7z")), "333");
    test::WriteFile(dir.filePath(QStringLiteral("sub/large.7z")), QByteArray(70000, 'x'));
    test::WriteFile(dir.filePath(QStringLiteral("sub/skipped.zip")), "zz");
    test::MakeFifo(dir.filePath(QStringLiteral("sub/pipe.7z")));

    StringList list;
    list.Add(QStringLiteral("/earlier/a"));
    list.Add(QStringLiteral("/earlier/b"));
    TIntArray sizes{99};
    Find(list, sizes, dir.path(), {.mask = "*.7z", .recurse = true, .collectSizes = true});

    EXPECT_EQ(list.Lines(), QStringList({"/earlier/a", "/earlier/b", dir.filePath(QStringLiteral("one.7z")),
                                         dir.filePath(QStringLiteral("three.7z")),
                                         dir.filePath(QStringLiteral("sub/large.7z")),
                                         dir.filePath(QStringLiteral("sub/pipe.7z"))}));
    EXPECT_EQ(sizes, TIntArray({99, 1, 3, 70000, 0}));
}

// Large folders have their entries' stats taken on several threads at once.
TEST(FileFinder, SizesStayWithTheirEntriesInALargeFolder)
{
    QTemporaryDir dir;
    constexpr int Files = 9000;
    const auto numbered = [&dir](char prefix, int i) {
        return dir.filePath(QStringLiteral("%1%2.7z").arg(QLatin1Char(prefix)).arg(i, 5, 10, QLatin1Char('0')));
    };
    for (int i = 0; i < Files; ++i)
        test::WriteFile(numbered('f', i), QByteArray(i % 251, 'x'));
    for (int i = 0; i < Files; i += 1000)
        test::MakeLink(numbered('f', i), numbered('l', i));

    StringList list;
    TIntArray sizes;
    Find(list, sizes, dir.path(), {.mask = "*.7z", .collectSizes = true});

    ASSERT_EQ(list.Count(), Files + Files / 1000);
    ASSERT_EQ(sizes.size(), std::size_t(list.Count()));
    for (qsizetype i = 0; i < list.Count(); ++i)
        EXPECT_EQ(sizes[std::size_t(i)], list[i].section(u'/', -1).mid(1, 5).toInt() % 251) << list[i].toStdString();

    NoEventPump noPump;
    FolderFiles files(dir.path(), QStringLiteral("*.7z"), noPump);
    ASSERT_EQ(files.Names().size(), std::size_t(list.Count()));
    for (std::size_t i = 0; i < files.Names().size(); ++i) {
        EXPECT_EQ(files.Names()[i], list[qsizetype(i)].section(u'/', -1));
        EXPECT_EQ(files.Size(i), sizes[i]) << i;
    }
}

TEST(FileFinder, LinksCountAsTheirTargetsAndALoopEndsTheDescent)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("real.7z")), "1234567");
    test::MakeLink(dir.filePath(QStringLiteral("real.7z")), dir.filePath(QStringLiteral("tolink.7z")));
    test::MakeLink(dir.filePath(QStringLiteral("gone.7z")), dir.filePath(QStringLiteral("dangling.7z")));
    test::WriteFile(dir.filePath(QStringLiteral("sub/s.7z")), "s");
    test::MakeLink(dir.filePath(QStringLiteral("sub")), dir.filePath(QStringLiteral("dirlink")));
    test::MakeLink(dir.path(), dir.filePath(QStringLiteral("sub/loop")));

    StringList list;
    TIntArray sizes;
    Find(list, sizes, dir.path(), {.mask = "*.7z", .recurse = true, .collectSizes = true});

    EXPECT_EQ(list.Lines(),
              QStringList({dir.filePath(QStringLiteral("real.7z")), dir.filePath(QStringLiteral("tolink.7z")),
                           dir.filePath(QStringLiteral("dirlink/s.7z")), dir.filePath(QStringLiteral("sub/s.7z"))}));
    EXPECT_EQ(sizes, TIntArray({7, 7, 1, 1}));
    EXPECT_EQ(FindRelative(dir.path(), {.mask = "*link", .includeDirs = true}), QStringList({"dirlink"}));
    EXPECT_EQ(FindRelative(dir.path(), {.mask = "dangling*", .includeDirs = true}), QStringList());
}

// The match's listing must give exactly the entries and sizes of the FindFiles call it replaces.
TEST_F(AttributeTree, FolderFilesGivesWhatFindFilesGivesWithoutTheFolder)
{
    test::MakeLink(Path("b.7z"), Path("link.7z"));
    test::MakeLink(Path("gone.7z"), Path("dangling.7z"));
    test::MakeLink(Path("sub"), Path("sublink.7z"));
    StringList paths;
    TIntArray sizes;
    Find(paths, sizes, Root(), {.mask = "*.7Z", .collectSizes = true});

    NoEventPump noPump;
    FolderFiles files(Root(), QStringLiteral("*.7Z"), noPump);
    TIntArray listedSizes;
    for (std::size_t i = 0; i < files.Names().size(); ++i)
        listedSizes.push_back(files.Size(i));
    QStringList expectedNames;
    for (const QString& path : paths.Lines())
        expectedNames.append(path.mid(Root().size() + 1));
    const QStringList names(files.Names().begin(), files.Names().end());
    EXPECT_EQ(names, QStringList({".h.7z", "A.7Z", "b.7z", "fifo.7z", "link.7z", "sock.7z"}));
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(listedSizes, sizes);
}

TEST(FileFinder, FolderFilesOfAFolderThatCannotBeListedIsEmpty)
{
    QTemporaryDir dir;
    NoEventPump noPump;
    EXPECT_TRUE(FolderFiles(dir.filePath(QStringLiteral("missing")), QStringLiteral("*"), noPump).Names().empty());
}

struct MaskCase {
    const char* name;
    const char* mask;
    QStringList expected;
};

class MaskCases : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskCases, MatchesWildcardsIgnoringLetterCase)
{
    QTemporaryDir dir;
    for (const char* name : {"Pac.7Z", "PacMan.ZIP", "pacman.7z", "x", "\u00c9CLAIR.7z", "\u00e9clair.zip"})
        test::WriteFile(dir.filePath(QString::fromUtf8(name)), "x");

    EXPECT_EQ(FindRelative(dir.path(), {.mask = QString::fromUtf8(GetParam().mask)}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FileFinder, MaskCases,
    ::testing::Values(MaskCase{"Extension", "*.zip", {"PacMan.ZIP", "\u00e9clair.zip"}},
                      MaskCase{"UpperExtension", "*.7Z", {"Pac.7Z", "pacman.7z", "\u00c9CLAIR.7z"}},
                      MaskCase{"Stem", "PACMAN.*", {"PacMan.ZIP", "pacman.7z"}},
                      MaskCase{"Questions", "pac???.?z", {"pacman.7z"}},
                      MaskCase{"OneCharacter", "?", {"x"}},
                      MaskCase{"TwoStars", "p*n*", {"PacMan.ZIP", "pacman.7z"}},
                      MaskCase{"NonAsciiLetterCase", "\u00e9CLAIR.*", {"\u00c9CLAIR.7z", "\u00e9clair.zip"}},
                      MaskCase{"WholeName", "x", {"x"}},
                      MaskCase{"NoMatch", "*.rar", {}},
                      MaskCase{"Empty", "", {}}),
    test::CaseName());

struct ExtCase {
    const char* name;
    const char* ext;
    bool recurse;
    QStringList expected;
};

class FindFilesExtCases : public ::testing::TestWithParam<ExtCase> {};

TEST_P(FindFilesExtCases, KeepsOnlyTheExtensionOverTheWholeList)
{
    QTemporaryDir dir;
    for (const char* name : {"a.7z", "b.7Z", "c.7zip", "d.zip", "e", "sub.7z/inner.7z"})
        test::WriteFile(dir.filePath(QString::fromUtf8(name)), "x");
    test::MakeFifo(dir.filePath(QStringLiteral(".pipe.7z")));

    StringList list;
    list.Add(QStringLiteral("/earlier/old.7z"));
    list.Add(QStringLiteral("/earlier/old.zip"));
    NoEventPump idle;
    FindFilesExt(list, dir.path(), QStringLiteral("*"), QString::fromUtf8(GetParam().ext), GetParam().recurse, idle);

    QStringList expected;
    for (const QString& entry : GetParam().expected)
        expected.append(entry.startsWith(u'/') ? entry : dir.filePath(entry));
    EXPECT_EQ(list.Lines(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    FileFinder, FindFilesExtCases,
    ::testing::Values(ExtCase{"Dotted", ".7z", false, {"/earlier/old.7z", ".pipe.7z", "a.7z", "b.7Z"}},
                      ExtCase{"DottedUpper", ".7Z", false, {"/earlier/old.7z", ".pipe.7z", "a.7z", "b.7Z"}},
                      ExtCase{"Recursive", ".7z", true, {"/earlier/old.7z", ".pipe.7z", "a.7z", "b.7Z",
                                                         "sub.7z/inner.7z"}},
                      ExtCase{"WithoutDot", "7z", false, {}},
                      ExtCase{"NoPass",
                              "",
                              false,
                              {"/earlier/old.7z", "/earlier/old.zip", ".pipe.7z", "a.7z", "b.7Z", "c.7zip", "d.zip",
                               "e"}}),
    test::CaseName());

struct PumpCase {
    const char* name;
    const char* folder;
    bool recurse;
    int expected;
};

class PumpCases : public ::testing::TestWithParam<PumpCase> {};

TEST_P(PumpCases, LetsEventsThroughAtTheStartAndPerSubfolderListingEntry)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("f1.7z")), "1");
    test::WriteFile(dir.filePath(QStringLiteral("f2.zip")), "2");
    test::WriteFile(dir.filePath(QStringLiteral("sub/f3.7z")), "3");

    StringList list;
    TIntArray sizes;
    test::CountingPump pump;
    const QString folder = dir.filePath(QString::fromUtf8(GetParam().folder));
    Find(list, sizes, folder, {.mask = "*.7z", .recurse = GetParam().recurse}, pump);
    EXPECT_EQ(pump.calls, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FileFinder, PumpCases,
    ::testing::Values(PumpCase{"Flat", "", false, 1},
                      // 1 + root's ".", "..", f1.7z, f2.zip, sub; then 1 + sub's ".", "..", f3.7z
                      PumpCase{"Recursive", "", true, 10},
                      PumpCase{"MissingRecursive", "missing", true, 1}),
    test::CaseName());

TEST(FileFinder, EventsDuringASearchMayStartAnotherOneWhoseEndStopsTheFirst)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("a/one.7z")), "1");
    test::WriteFile(dir.filePath(QStringLiteral("b/two.7z")), "2");

    StringList list;
    TIntArray sizes;
    test::CountingPump pump;
    StringList nestedList;
    pump.onCall = [&](int call) {
        if (call == 2) // the first entry of the root's subfolder listing
            Find(nestedList, sizes, dir.path(), {.includeDirs = true});
    };
    Find(list, sizes, dir.path(), {.mask = "*.7z", .recurse = true}, pump);

    EXPECT_EQ(nestedList.Count(), 4); // ".", "..", "a", "b"
    EXPECT_TRUE(list.IsEmpty());
}

struct SizeCase {
    const char* name;
    const char* path;
    qint64 expected;
};

class GetFileSize64Cases : public ::testing::TestWithParam<SizeCase> {};

TEST_P(GetFileSize64Cases, ReadsTheSizeOfARegularFileAndZeroOtherwise)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("five.7z")), "12345");
    test::WriteFile(dir.filePath(QStringLiteral("empty.7z")), "");
    test::WriteFile(dir.filePath(QStringLiteral("big.7z")), QByteArray(300000, 'b'));
    test::MakeFolder(dir.filePath(QStringLiteral("folder.7z")));
    test::MakeFifo(dir.filePath(QStringLiteral("pipe.7z")));
    test::MakeLink(dir.filePath(QStringLiteral("five.7z")), dir.filePath(QStringLiteral("link.7z")));

    EXPECT_EQ(GetFileSize64(dir.filePath(QString::fromUtf8(GetParam().path))), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(FileFinder, GetFileSize64Cases,
                         ::testing::Values(SizeCase{"Regular", "five.7z", 5}, SizeCase{"Empty", "empty.7z", 0},
                                           SizeCase{"Large", "big.7z", 300000}, SizeCase{"Link", "link.7z", 5},
                                           SizeCase{"Missing", "none.7z", 0}, SizeCase{"Folder", "folder.7z", 0},
                                           SizeCase{"Fifo", "pipe.7z", 0},
                                           SizeCase{"TrailingDelimiter", "five.7z/", 0}),
                         test::CaseName());

} // namespace
} // namespace quarvel
