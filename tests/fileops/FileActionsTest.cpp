#include "support/NamedCases.h"
#include "ArchiveChecks.h"
#include "ReadOnlyFolder.h"
#include "ScopedTmpfs.h"
#include "fileops/FileActions.h"
#include "reporting/EventPump.h"
#include "romfolder/SourceFolder.h"
#include "support/RecordingSinks.h"
#include "support/TestFiles.h"
#include "util/StringList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel {

void PrintTo(FileActionResult result, std::ostream* os)
{
    static const char* const names[] = {"Done",           "NoFolder",          "SourceMissing", "SourceIsFolder",
                                        "NotARegularFile", "DestinationExists", "SameFile",      "Failed"};
    *os << names[static_cast<int>(result)];
}

namespace {

using test::PrintTo;

NoEventPump noPump;

// More than one block of a copy, so a fault can strike between blocks.
constexpr qsizetype LargeArchive = 3 * 1024 * 1024;

enum class Action { Delete, Move, CopyKeep, CopyReplace };

FileActionResult Perform(const FileActions& actions, Action action, const QString& source, const QString& destination)
{
    switch (action) {
    case Action::Delete:
        return actions.Delete(source);
    case Action::Move:
        return actions.Move(source, destination);
    case Action::CopyKeep:
        return actions.Copy(source, destination, ExistingDestination::Keep);
    case Action::CopyReplace:
        return actions.Copy(source, destination, ExistingDestination::Replace);
    }
    return FileActionResult::Failed;
}

using FileActionsTest = test::ArchiveFoldersTest;

struct StatTimes {
    mode_t mode;
    timespec modified;
};

StatTimes AttributesOf(const QString& path)
{
    struct stat info {};
    EXPECT_EQ(stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return {info.st_mode & 0777, info.st_mtim};
}

// An archive with its own permissions and an old modification time, to see whether they travel with it.
QByteArray WriteDatedArchive(const QString& path, qsizetype size)
{
    const QByteArray bytes = test::ArchiveBytes(QFileInfo(path).fileName(), size);
    test::WriteFile(path, bytes);
    chmod(QFile::encodeName(path).constData(), 0640);
    const timespec times[2] = {{1000000000, 0}, {1234567890, 123456789}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
    return bytes;
}

void ExpectSameAttributes(const QString& copy, const QString& original)
{
    const StatTimes a = AttributesOf(copy);
    const StatTimes b = AttributesOf(original);
    EXPECT_EQ(a.mode, b.mode);
    EXPECT_EQ(a.modified.tv_sec, b.modified.tv_sec);
    EXPECT_EQ(a.modified.tv_nsec, b.modified.tv_nsec);
}

TEST_F(FileActionsTest, CopyKeepsBytesPermissionsAndTimeAndLeavesTheSource)
{
    const QString source = Folder("source") + "sf2.zip";
    const QString destination = Folder("output") + "sf2.zip";
    const QByteArray bytes = WriteDatedArchive(source, LargeArchive);
    const QByteArray original = test::ReadFile(source);

    EXPECT_EQ(FileActions().Copy(source, destination, ExistingDestination::Keep), FileActionResult::Done);

    EXPECT_EQ(test::ReadFile(destination), bytes);
    EXPECT_EQ(test::ReadFile(source), bytes);
    ExpectSameAttributes(destination, source);
    EXPECT_EQ(QDir(Folder("output")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"sf2.zip"});
}

TEST_F(FileActionsTest, MovesAcrossFileSystemsWithPermissionsAndTime)
{
    test::ScopedTmpfs tmpfs(Folder("output"), QStringLiteral("16m"));
    if (!tmpfs.IsMounted())
        GTEST_SKIP() << tmpfs.SkipReason();
    const QString source = Folder("source") + "sf2.zip";
    const QString destination = Folder("output") + "sf2.zip";
    const QByteArray bytes = WriteDatedArchive(source, LargeArchive);
    const StatTimes before = AttributesOf(source);

    EXPECT_EQ(FileActions().Move(source, destination), FileActionResult::Done);

    test::ExpectEachArchiveOnce({Folder("source"), Folder("output")}, {bytes});
    EXPECT_TRUE(QFileInfo::exists(destination));
    const StatTimes after = AttributesOf(destination);
    EXPECT_EQ(after.mode, before.mode);
    EXPECT_EQ(after.modified.tv_sec, before.modified.tv_sec);
}

struct ExistingCase {
    const char* name;
    ExistingDestination existing;
    FileActionResult expected;
    bool destinationGetsTheSource;
};

class CopyOntoExisting : public FileActionsTest, public ::testing::WithParamInterface<ExistingCase> {};

TEST_P(CopyOntoExisting, ReplacesOnlyWhenAsked)
{
    const ExistingCase& c = GetParam();
    const QString source = Folder("source") + "sf2.zip";
    const QString destination = Folder("output") + "sf2.zip";
    const QByteArray bytes = test::ArchiveBytes("sf2", LargeArchive);
    const QByteArray older = test::ArchiveBytes("sf2-older");
    test::WriteFile(source, bytes);
    test::WriteFile(destination, older);

    EXPECT_EQ(FileActions().Copy(source, destination, c.existing), c.expected);

    EXPECT_EQ(test::ReadFile(destination), c.destinationGetsTheSource ? bytes : older);
    EXPECT_EQ(test::ReadFile(source), bytes);
    EXPECT_EQ(QDir(Folder("output")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"sf2.zip"});
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyOntoExisting,
                         ::testing::Values(ExistingCase{"Keep", ExistingDestination::Keep,
                                                        FileActionResult::DestinationExists, false},
                                           ExistingCase{"Replace", ExistingDestination::Replace,
                                                        FileActionResult::Done, true}),
                         test::CaseName());

struct EntryCase {
    const char* name;
    void (*make)(const QString& path);
    FileActionResult expected;
};

class NonRegularSource : public FileActionsTest, public ::testing::WithParamInterface<EntryCase> {};

// A FIFO named like an archive must not even be opened for reading: that would wait for a writer forever.
TEST_P(NonRegularSource, IsNeitherDeletedMovedNorCopied)
{
    const QString source = Folder("source") + "sf2.zip";
    GetParam().make(source);
    const QString destination = Folder("output") + "sf2.zip";

    for (const Action action : {Action::Delete, Action::Move, Action::CopyKeep, Action::CopyReplace})
        EXPECT_EQ(Perform(FileActions(), action, source, destination), GetParam().expected);

    EXPECT_TRUE(QFileInfo::exists(source));
    EXPECT_TRUE(QDir(Folder("output")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NonRegularSource,
    ::testing::Values(EntryCase{"Fifo",
                                [](const QString& path) {
                                    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                                },
                                FileActionResult::NotARegularFile},
                      EntryCase{"Folder", [](const QString& path) { ASSERT_TRUE(QDir().mkpath(path)); },
                                FileActionResult::SourceIsFolder}),
    test::CaseName());

TEST_F(FileActionsTest, MissingSourceIsReportedAsSuch)
{
    const QString source = Folder("source") + "sf2.zip";
    const QString destination = Folder("output") + "sf2.zip";
    for (const Action action : {Action::Delete, Action::Move, Action::CopyKeep, Action::CopyReplace})
        EXPECT_EQ(Perform(FileActions(), action, source, destination), FileActionResult::SourceMissing);
}

// A bare file name would act on whatever folder the process is in.
TEST_F(FileActionsTest, PathsWithoutFolderTouchNothingInTheCurrentFolder)
{
    const QString current = Folder("current");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current));
    const QByteArray bytes = test::ArchiveBytes("sf2");
    test::WriteFile(current + "sf2.zip", bytes);
    const QString elsewhere = Folder("output") + "sf2.zip";

    for (const Action action : {Action::Delete, Action::Move, Action::CopyKeep, Action::CopyReplace}) {
        EXPECT_EQ(Perform(FileActions(), action, QStringLiteral("sf2.zip"), elsewhere), FileActionResult::NoFolder);
        if (action != Action::Delete) {
            EXPECT_EQ(Perform(FileActions(), action, elsewhere, QStringLiteral("sf2.zip")), FileActionResult::NoFolder);
        }
    }

    QDir::setCurrent(previous);
    test::ExpectEachArchiveOnce({current, Folder("output")}, {bytes});
}

// A crash can leave a copy in progress behind; the next scan of that folder must not take it for an archive.
TEST_F(FileActionsTest, CopyInProgressIsNoArchiveToTheScan)
{
    const QString source = Folder("source") + "sf2.zip";
    const QString output = Folder("output");
    test::WriteFile(source, test::ArchiveBytes("sf2", LargeArchive));
    QStringList entriesDuringCopy;
    test::RecordingLog scanLog;
    RomTable roms(1);
    roms[0].RomFile = QStringLiteral("sf2");
    const FileActions actions([&](qint64) {
        entriesDuringCopy = QDir(output).entryList(QDir::Files | QDir::Hidden);
        StringList sourceFiles;
        ScanSourceFolder(output, QStringLiteral("zip"), sourceFiles, scanLog, noPump);
        test::RecordingProgress progress;
        MatchRomFiles(roms, output, QStringLiteral("zip"), scanLog, progress, noPump);
        return true;
    });

    EXPECT_EQ(actions.Copy(source, output + "sf2.zip", ExistingDestination::Keep), FileActionResult::Done);

    ASSERT_EQ(entriesDuringCopy.size(), 1);
    EXPECT_TRUE(entriesDuringCopy[0].startsWith(QStringLiteral(".sf2.zip.")));
    EXPECT_TRUE(entriesDuringCopy[0].endsWith(QLatin1StringView(TemporaryCopySuffix)));
    EXPECT_TRUE(scanLog.lines.contains(QStringLiteral("0 roms found.")));
    EXPECT_FALSE(roms[0].InDisk);
}

// The fault matrix: whatever goes wrong, every archive stays whole under its own name.

enum class Destination {
    SameFileSystem,
    OtherFileSystem,
    FullFileSystem,
    ReadOnlyFolder,
    ReadOnlyFileSystem,
    SourceFolder,
    SourceFolderSpelledWithDot,
    LinkToSourceFolder,
};

enum class Interference { None, DestinationAppears, WriteFails };

struct FaultCase {
    const char* name;
    Action action;
    Destination destination;
    Interference interference;
    bool olderCopyAtDestination;
    FileActionResult expected;
};

class FileFault : public FileActionsTest, public ::testing::WithParamInterface<FaultCase> {
protected:
    // The destination folder of the case, or nothing when this machine cannot set it up.
    std::optional<QString> MakeDestination(Destination destination)
    {
        const QString output = Folder("output");
        switch (destination) {
        case Destination::SameFileSystem:
        case Destination::ReadOnlyFolder:
            return output;
        case Destination::OtherFileSystem:
            return Mounted(output, "16m", false);
        case Destination::FullFileSystem:
            return Mounted(output, "1m", false);
        case Destination::ReadOnlyFileSystem:
            return Mounted(output, "1m", true);
        case Destination::SourceFolder:
            return Folder("source");
        case Destination::SourceFolderSpelledWithDot:
            return Folder("source") + "./";
        case Destination::LinkToSourceFolder:
            EXPECT_EQ(symlink(QFile::encodeName(dir.filePath("source")).constData(),
                              QFile::encodeName(dir.filePath("link")).constData()),
                      0);
            return dir.filePath("link") + u'/';
        }
        return std::nullopt;
    }

    std::optional<QString> Mounted(const QString& folder, const char* size, bool readOnlyMount)
    {
        tmpfs.emplace(folder, QString::fromLatin1(size), readOnlyMount);
        if (!tmpfs->IsMounted())
            return std::nullopt;
        return folder;
    }

    std::optional<test::ScopedTmpfs> tmpfs;
    std::optional<test::ReadOnlyFolder> readOnly;
};

TEST_P(FileFault, LeavesEveryArchiveWholeAndOnce)
{
    const FaultCase& c = GetParam();
    const QString source = Folder("source");
    QList<QByteArray> archives{test::ArchiveBytes("sf2", LargeArchive)};
    test::WriteFile(source + "sf2.zip", archives[0]);
    const std::optional<QString> output = MakeDestination(c.destination);
    if (!output)
        GTEST_SKIP() << tmpfs->SkipReason();
    if (c.olderCopyAtDestination) {
        archives.append(test::ArchiveBytes("sf2-older", 64 * 1024));
        test::WriteFile(*output + "sf2.zip", archives.last());
    }
    if (c.destination == Destination::ReadOnlyFolder) {
        readOnly.emplace(*output);
        if (!readOnly->IsReadOnly())
            GTEST_SKIP() << readOnly->SkipReason();
    }
    const QString destination = *output + "sf2.zip";
    const FileActions actions([&](qint64) {
        if (c.interference == Interference::DestinationAppears && !QFileInfo::exists(destination)) {
            archives.append(test::ArchiveBytes("sf2-intruder"));
            test::WriteFile(destination, archives.last());
        }
        return c.interference != Interference::WriteFails;
    });

    EXPECT_EQ(Perform(actions, c.action, source + "sf2.zip", destination), c.expected);

    const QString realOutput = QFileInfo(*output).canonicalFilePath();
    const QString realSource = QFileInfo(source).canonicalFilePath();
    test::ExpectEachArchiveOnce(realOutput == realSource ? QStringList{source} : QStringList{source, *output},
                                archives);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, FileFault,
    ::testing::Values(
        FaultCase{"MoveIntoReadOnlyFolder", Action::Move, Destination::ReadOnlyFolder, Interference::None, false,
                  FileActionResult::Failed},
        FaultCase{"CopyIntoReadOnlyFolder", Action::CopyReplace, Destination::ReadOnlyFolder, Interference::None,
                  true, FileActionResult::Failed},
        FaultCase{"MoveOntoReadOnlyFileSystem", Action::Move, Destination::ReadOnlyFileSystem, Interference::None,
                  false, FileActionResult::Failed},
        FaultCase{"MoveOntoOlderCopy", Action::Move, Destination::SameFileSystem, Interference::None, true,
                  FileActionResult::DestinationExists},
        FaultCase{"MoveAcrossOntoOlderCopy", Action::Move, Destination::OtherFileSystem, Interference::None, true,
                  FileActionResult::DestinationExists},
        FaultCase{"DestinationAppearsDuringCopy", Action::CopyKeep, Destination::SameFileSystem,
                  Interference::DestinationAppears, false, FileActionResult::DestinationExists},
        FaultCase{"DestinationAppearsDuringMoveAcross", Action::Move, Destination::OtherFileSystem,
                  Interference::DestinationAppears, false, FileActionResult::DestinationExists},
        FaultCase{"FileSystemFillsUpDuringMoveAcross", Action::Move, Destination::FullFileSystem,
                  Interference::None, false, FileActionResult::Failed},
        FaultCase{"FileSystemFillsUpDuringCopyOverOlder", Action::CopyReplace, Destination::FullFileSystem,
                  Interference::None, true, FileActionResult::Failed},
        FaultCase{"WriteFailsDuringMoveAcross", Action::Move, Destination::OtherFileSystem,
                  Interference::WriteFails, false, FileActionResult::Failed},
        FaultCase{"WriteFailsDuringCopyOverOlder", Action::CopyReplace, Destination::SameFileSystem,
                  Interference::WriteFails, true, FileActionResult::Failed},
        FaultCase{"MoveOntoItself", Action::Move, Destination::SourceFolder, Interference::None, false,
                  FileActionResult::SameFile},
        FaultCase{"MoveOntoItselfSpelledWithDot", Action::Move, Destination::SourceFolderSpelledWithDot,
                  Interference::None, false, FileActionResult::SameFile},
        FaultCase{"CopyOntoItself", Action::CopyReplace, Destination::SourceFolder, Interference::None, false,
                  FileActionResult::SameFile},
        FaultCase{"CopyOntoItselfThroughLinkedFolder", Action::CopyReplace, Destination::LinkToSourceFolder,
                  Interference::None, false, FileActionResult::SameFile}),
    test::CaseName());

} // namespace
} // namespace quarvel
