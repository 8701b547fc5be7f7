#include "support/NamedCases.h"
#include "FolderFixtures.h"
#include "reporting/EventPump.h"
#include "romfolder/ArchiveNameIndex.h"
#include "romfolder/SourceFolder.h"
#include "support/TestFiles.h"
#include "util/StringList.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace quarvel {
namespace {

using test::PrintTo;

// These passes run without a window.
NoEventPump noPump;

constexpr qint64 Untouched = -7;

RomTable Machines(const QStringList& names)
{
    RomTable roms;
    for (const QString& name : names) {
        Rom rom;
        rom.RomFile = name;
        rom.Size = Untouched;
        roms.push_back(rom);
    }
    return roms;
}

// m0, m1, ... up to count machines.
RomTable NumberedMachines(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("m%1").arg(i));
    return Machines(names);
}

void ExpectMatchLog(const QStringList& lines)
{
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Match parsing start.."));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Match parsing done \\[\\d+ ms\\]$")).match(lines[1]).hasMatch())
        << lines[1].toStdString();
}

struct Expected {
    const char* machine;
    bool inDisk;
    qint64 size;
};

void ExpectMachines(const RomTable& roms, const std::vector<Expected>& expected)
{
    ASSERT_EQ(roms.size(), expected.size());
    for (std::size_t i = 0; i < roms.size(); ++i) {
        EXPECT_EQ(roms[i].RomFile, QString::fromUtf8(expected[i].machine));
        EXPECT_EQ(roms[i].InDisk, expected[i].inDisk) << expected[i].machine;
        EXPECT_EQ(roms[i].Size, expected[i].size) << expected[i].machine;
    }
}

TEST(MatchRomFiles, MarksArchivesOfTheFolderItselfWithTheirSizes)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source/"));
    test::MakeMixedSourceFolder(source);
    test::WriteFile(source + QStringLiteral("\u00c9CLAIR.7z"), "eclair");
    RomTable roms = Machines({"galaga", ".hidden", "dkong", "mspacman", "pacman", "digdug", "other/galaga", "xevious",
                              "\u00e9clair", "galaga7z", "galag"});
    test::RecordingLog log;
    test::RecordingProgress progress;

    MatchRomFiles(roms, source, QStringLiteral("7z"), log, progress, noPump);

    ExpectMachines(roms, {{"galaga", true, 4},
                          {".hidden", true, 6},
                          {"dkong", true, 0},
                          {"mspacman", true, 0},
                          {"pacman", false, Untouched},
                          {"digdug", false, Untouched},
                          // the bare name is looked up, but the size is read where the whole name points
                          {"other/galaga", true, 0},
                          {"xevious", false, Untouched},
                          {"\u00e9clair", true, 6},
                          {"galaga7z", false, Untouched},
                          {"galag", false, Untouched}});
    ExpectMatchLog(log.lines);
}

// Only the name, without letter case, decides whether a machine is present; its size is read
// at the folder text + RomFile + extension, with no delimiter added, on a file system that
// tells letter cases apart.
struct SizingCase {
    const char* name;
    const char* folder; // relative to the temporary folder
    std::vector<Expected> expected;
};

class SizingCases : public ::testing::TestWithParam<SizingCase> {};

TEST_P(SizingCases, TakesTheSizeOfTheArchiveTheMachineMatched)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("upper/PACMAN.7Z")), "123");
    test::WriteFile(dir.filePath(QStringLiteral("spellings/PACMAN.7Z")), "123");
    test::WriteFile(dir.filePath(QStringLiteral("spellings/pacman.7z")), "12345");
    test::WriteFile(dir.filePath(QStringLiteral("spellings/PacMan.7z")), "1234");
    test::WriteFile(dir.filePath(QStringLiteral("spellingspacman.7z")), "12345678901");
    RomTable roms = Machines({"pacman", "PACMAN", "PacMan"});
    test::RecordingLog log;
    test::RecordingProgress progress;

    MatchRomFiles(roms, dir.filePath(QString::fromUtf8(GetParam().folder)), QStringLiteral("7z"), log, progress,
                  noPump);

    ExpectMachines(roms, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    MatchRomFiles, SizingCases,
    ::testing::Values(SizingCase{"OnlyUpperCase",
                                 "upper/",
                                 {{"pacman", true, 3}, {"PACMAN", true, 3}, {"PacMan", true, 3}}},
                      SizingCase{"ThreeSpellings",
                                 "spellings/",
                                 {{"pacman", true, 5}, {"PACMAN", true, 3}, {"PacMan", true, 4}}},
                      SizingCase{"FolderWithoutDelimiter",
                                 "spellings",
                                 {{"pacman", true, 11}, {"PACMAN", true, 0}, {"PacMan", true, 0}}}),
    test::CaseName());

TEST(MatchRomFiles, SwitchingTheSourceTypeKeepsOldSizesOfMachinesWithoutTheNewArchive)
{
    QTemporaryDir dir;
    const QString source = dir.path() + QStringLiteral("/");
    test::WriteFile(source + QStringLiteral("galaga.7z"), "gala");
    test::WriteFile(source + QStringLiteral("galaga.zip"), "galagazp");
    test::WriteFile(source + QStringLiteral("pacman.7z"), "pacma");
    RomTable roms = Machines({"galaga", "pacman", "dkong"});
    test::RecordingLog log;
    test::RecordingProgress progress;

    MatchRomFiles(roms, source, QStringLiteral("7z"), log, progress, noPump);
    ExpectMachines(roms, {{"galaga", true, 4}, {"pacman", true, 5}, {"dkong", false, Untouched}});

    MatchRomFiles(roms, source, QStringLiteral("zip"), log, progress, noPump);
    ExpectMachines(roms, {{"galaga", true, 8}, {"pacman", false, 5}, {"dkong", false, Untouched}});
}

TEST(MatchRomFiles, AnUnreadableFolderClearsEveryMachine)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser from reading a folder";
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source/"));
    test::WriteFile(source + QStringLiteral("galaga.7z"), "gala");
    RomTable roms = Machines({"galaga"});
    roms[0].InDisk = true;
    test::RecordingLog log;
    test::RecordingProgress progress;
    ASSERT_TRUE(QFile::setPermissions(source, QFileDevice::Permissions()));

    MatchRomFiles(roms, source, QStringLiteral("7z"), log, progress, noPump);
    QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    ExpectMachines(roms, {{"galaga", false, Untouched}});
    ExpectMatchLog(log.lines);
}

struct CadenceCase {
    const char* name;
    int machines;
    std::vector<int> maxima;
    std::vector<int> positions;
};

class CadenceCases : public ::testing::TestWithParam<CadenceCase> {};

TEST_P(CadenceCases, MovesTheProgressAndLetsEventsThroughEveryHundredMachines)
{
    QTemporaryDir dir;
    test::WriteFile(dir.filePath(QStringLiteral("m0.7z")), "x");
    RomTable roms = NumberedMachines(GetParam().machines);
    test::RecordingLog log;
    test::RecordingProgress progress;
    test::CountingPump pump;

    MatchRomFiles(roms, dir.path() + QStringLiteral("/"), QStringLiteral("7z"), log, progress, pump);

    EXPECT_EQ(progress.maxima, GetParam().maxima);
    EXPECT_EQ(progress.positions, GetParam().positions);
    EXPECT_EQ(pump.calls, 1 + int(GetParam().positions.size())); // the listing's own, then the loop's
    ExpectMatchLog(log.lines);
    EXPECT_TRUE(roms.empty() || roms[0].InDisk);
}

INSTANTIATE_TEST_SUITE_P(MatchRomFiles, CadenceCases,
                         ::testing::Values(CadenceCase{"Empty", 0, {}, {}}, CadenceCase{"One", 1, {0}, {0}},
                                           CadenceCase{"Hundred", 100, {99}, {0}},
                                           CadenceCase{"HundredAndOne", 101, {100}, {0, 100}},
                                           CadenceCase{"TwoHundredFifty", 250, {249}, {0, 100, 200}}),
                         test::CaseName());

// An import started from the window while the match lets events through replaces RomList.
struct ReplacementCase {
    const char* name;
    int replacedAtCall; // 1 is the listing's, 2 the loop's at machine 0, 3 at machine 100
    int newLength;
    int firstMarked; // the machines of the new list from here on are matched
};

class ReplacementCases : public ::testing::TestWithParam<ReplacementCase> {};

TEST_P(ReplacementCases, GoesOnOverTheCurrentListUpToItsEnd)
{
    QTemporaryDir dir;
    for (int i = 0; i < 250; ++i)
        test::WriteFile(dir.filePath(QStringLiteral("m%1.7z").arg(i)), "x");
    RomTable roms = NumberedMachines(250);
    test::RecordingLog log;
    test::RecordingProgress progress;
    test::CountingPump pump;
    pump.onCall = [&](int call) {
        if (call != GetParam().replacedAtCall)
            return;
        roms = NumberedMachines(GetParam().newLength);
        roms.shrink_to_fit();
    };

    MatchRomFiles(roms, dir.path() + QStringLiteral("/"), QStringLiteral("7z"), log, progress, pump);

    ASSERT_EQ(roms.size(), std::size_t(GetParam().newLength));
    for (int i = 0; i < GetParam().newLength; ++i) {
        const bool marked = i >= GetParam().firstMarked && i < 250; // the folder holds m0 to m249
        EXPECT_EQ(roms[std::size_t(i)].InDisk, marked) << i;
        EXPECT_EQ(roms[std::size_t(i)].Size, marked ? 1 : Untouched) << i;
    }
    ExpectMatchLog(log.lines);
}

INSTANTIATE_TEST_SUITE_P(MatchRomFiles, ReplacementCases,
                         ::testing::Values(ReplacementCase{"EmptiedAtTheStart", 2, 0, 0},
                                           ReplacementCase{"ShortenedBelowThePosition", 3, 60, 60},
                                           ReplacementCase{"ShortenedToThePosition", 3, 100, 100},
                                           ReplacementCase{"ShortenedAboveThePosition", 3, 150, 100},
                                           ReplacementCase{"LengthenedDuringTheListing", 1, 400, 0}),
                         test::CaseName());

struct LookupCase {
    const char* name;
    const char* lookup;
    bool contained;
};

class ArchiveNameIndexCases : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ArchiveNameIndexCases, FindsWholeNamesIgnoringLetterCaseOnly)
{
    std::vector<QString> names;
    for (const char* name : {"PACMAN.7Z", "\u00c9clair.7z", "stra\u00dfe.7z", "a_b.7z"})
        names.push_back(QString::fromUtf8(name));
    const ArchiveNameIndex index(names);
    const QString lookup = QString::fromUtf8(GetParam().lookup);

    bool linear = false;
    for (const QString& name : names)
        linear = linear || name.compare(lookup, Qt::CaseInsensitive) == 0;
    EXPECT_EQ(linear, GetParam().contained);
    EXPECT_EQ(index.Find(lookup).has_value(), GetParam().contained);
}

INSTANTIATE_TEST_SUITE_P(ArchiveNameIndex, ArchiveNameIndexCases,
                         ::testing::Values(LookupCase{"Exact", "PACMAN.7Z", true},
                                           LookupCase{"Lower", "pacman.7z", true},
                                           LookupCase{"Mixed", "PacMan.7z", true},
                                           LookupCase{"Prefix", "pacman.7", false},
                                           LookupCase{"Longer", "pacman.7z ", false},
                                           LookupCase{"Folder", "/roms/PACMAN.7Z", false},
                                           LookupCase{"Accented", "\u00e9CLAIR.7Z", true},
                                           LookupCase{"Unaccented", "eclair.7z", false},
                                           LookupCase{"SharpSUpper", "STRA\u1e9eE.7Z", true},
                                           LookupCase{"SharpSExpanded", "strasse.7z", false},
                                           LookupCase{"Punctuation", "A_B.7Z", true},
                                           LookupCase{"Empty", "", false}),
                         test::CaseName());

TEST(ArchiveNameIndex, ExactSpellingFirstThenTheFirstListedEqualIgnoringCase)
{
    const ArchiveNameIndex index({QStringLiteral("PACMAN.7Z"), QStringLiteral("Pacman.7z"), QStringLiteral("pacman.7z"),
                                  QStringLiteral("GALAGA.7Z")});

    EXPECT_EQ(index.Find(QStringLiteral("PACMAN.7Z")), std::optional<std::size_t>(0));
    EXPECT_EQ(index.Find(QStringLiteral("Pacman.7z")), std::optional<std::size_t>(1));
    EXPECT_EQ(index.Find(QStringLiteral("pacman.7z")), std::optional<std::size_t>(2));
    EXPECT_EQ(index.Find(QStringLiteral("PacMan.7z")), std::optional<std::size_t>(0));
    EXPECT_EQ(index.Find(QStringLiteral("galaga.7z")), std::optional<std::size_t>(3));
    EXPECT_EQ(index.Find(QStringLiteral("Galaga.7z")), std::optional<std::size_t>(3));
    EXPECT_EQ(index.Find(QStringLiteral("galaxian.7z")), std::nullopt);
}

} // namespace
} // namespace quarvel
