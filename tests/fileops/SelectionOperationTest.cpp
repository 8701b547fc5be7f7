#include "ArchiveChecks.h"
#include "fileops/ArchiveLocations.h"
#include "fileops/SelectionOperation.h"
#include "support/RecordingSinks.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace quarvel {
namespace {

class SelectionOperationTest : public test::ArchiveFoldersTest {
protected:
    QByteArray AddArchive(const QString& name)
    {
        const QByteArray bytes = test::ArchiveBytes(name);
        test::WriteFile(source + name + ".7z", bytes);
        return bytes;
    }

    int RunOn(SelectionAction action, const RowIndexes& selected, const QString& destination)
    {
        return RunSelectionOperation(action, rows, selected, ArchiveLocations{source, QStringLiteral("7z"), destination},
                                     log, progress, pump);
    }

    void SetRows(const QStringList& names)
    {
        rows.clear();
        for (const QString& name : names) {
            Rom rom;
            rom.RomFile = name;
            rom.InDisk = true;
            rows.push_back(rom);
        }
    }

    QString source = Folder("source");
    QString output = Folder("output");
    RomTable rows;
    test::RecordingLog log;
    test::RecordingProgress progress;
    test::CountingPump pump;
};

TEST_F(SelectionOperationTest, TwoHundredFiftyOfAThousandRowsPumpTwiceAndEndFull)
{
    QStringList names;
    RowIndexes selected;
    for (int i = 0; i < 1000; ++i) {
        names.append(QStringLiteral("r%1").arg(i));
        if (i % 4 == 0) {
            selected.push_back(std::size_t(i));
            AddArchive(names.last());
        }
    }
    SetRows(names);

    EXPECT_EQ(RunOn(SelectionAction::Copy, selected, output), 250);

    EXPECT_EQ(pump.calls, 2);
    EXPECT_EQ(progress.maxima, std::vector<int>{1000});
    // The 100th selected row is row 396, the 200th row 796.
    EXPECT_EQ(progress.positions, std::vector<int>({0, 396, 796, 1000}));
    EXPECT_EQ(log.lines, QStringList{"Finished, files processed: 250"});
    EXPECT_EQ(QDir(output).entryList(QDir::Files | QDir::Hidden).size(), 250);
    EXPECT_EQ(QDir(source).entryList(QDir::Files).size(), 250);
}

TEST_F(SelectionOperationTest, CopyOntoExistingArchivesFailsForEachAndKeepsThem)
{
    SetRows({"a", "b", "c"});
    const QList<QByteArray> sources{AddArchive("a"), AddArchive("b"), AddArchive("c")};
    const QList<QByteArray> olders{test::ArchiveBytes("older b"), test::ArchiveBytes("older c")};
    test::WriteFile(output + "b.7z", olders[0]);
    test::WriteFile(output + "c.7z", olders[1]);

    EXPECT_EQ(RunOn(SelectionAction::Copy, {0, 1, 2}, output), 1);

    EXPECT_EQ(log.lines, QStringList({"Failed: b.7z", "Failed: c.7z", "Finished, files processed: 1"}));
    test::ExpectEachArchiveOnce({source}, sources);
    test::ExpectEachArchiveOnce({output}, {sources[0], olders[0], olders[1]});
}

TEST_F(SelectionOperationTest, MoveNeverReplacesAnArchive)
{
    SetRows({"a", "b"});
    const QList<QByteArray> archives{AddArchive("a"), AddArchive("b"), test::ArchiveBytes("older b")};
    test::WriteFile(output + "b.7z", archives[2]);

    EXPECT_EQ(RunOn(SelectionAction::Move, {0, 1}, output), 1);

    EXPECT_EQ(log.lines, QStringList({"Failed: b.7z", "Finished, files processed: 1"}));
    test::ExpectEachArchiveOnce({source}, {archives[1]});
    test::ExpectEachArchiveOnce({output}, {archives[0], archives[2]});
}

// The source is not looked for beforehand: a missing archive is a failed row like any other.
TEST_F(SelectionOperationTest, DeleteNeedsNoDestinationAndFailsForMissingArchives)
{
    SetRows({"a", "gone", "b"});
    AddArchive("a");
    AddArchive("b");

    EXPECT_EQ(RunOn(SelectionAction::Delete, {0, 1, 2}, QString()), 2);

    EXPECT_EQ(log.lines, QStringList({"Failed: gone.7z", "Finished, files processed: 2"}));
    EXPECT_TRUE(QDir(source).isEmpty());
}

TEST_F(SelectionOperationTest, RowsAreTakenOnceInRowOrderAndOnlyWithinTheList)
{
    SetRows({"r0", "r1", "r2"});

    EXPECT_EQ(RunOn(SelectionAction::Delete, {2, 0, 2, 99}, QString()), 0);

    EXPECT_EQ(log.lines, QStringList({"Failed: r0.7z", "Failed: r2.7z", "Finished, files processed: 0"}));
}

TEST_F(SelectionOperationTest, UnusableDestinationLogsOneLineAndTouchesNothing)
{
    SetRows({"a"});
    const QByteArray a = AddArchive("a");
    const QString missing = dir.filePath("none");

    for (const SelectionAction action : {SelectionAction::Copy, SelectionAction::Move}) {
        EXPECT_EQ(RunOn(action, {0}, QString()), 0);
        EXPECT_EQ(RunOn(action, {0}, missing), 0);
    }

    EXPECT_EQ(log.lines, QStringList({"Error: no output folder chosen.", "Error: can't find output folder " + missing,
                                      "Error: no output folder chosen.",
                                      "Error: can't find output folder " + missing}));
    EXPECT_TRUE(progress.maxima.empty());
    test::ExpectEachArchiveOnce({source, output}, {a});
}

// The picker gives a folder without its trailing delimiter.
TEST_F(SelectionOperationTest, DestinationWithoutTrailingDelimiterIsTheFolderItself)
{
    SetRows({"a"});
    const QByteArray a = AddArchive("a");

    EXPECT_EQ(RunOn(SelectionAction::Move, {0}, dir.filePath("output")), 1);

    test::ExpectEachArchiveOnce({output}, {a});
}

TEST(CountSelectionSize, AddsTheSelectedRowsWithinTheList)
{
    RomTable rows(3);
    rows[0].Size = 5'000'000'000;
    rows[1].Size = 7;
    rows[2].Size = 11;

    const SelectionSize size = CountSelectionSize(rows, {2, 0, 2, 3});
    EXPECT_EQ(size.totalBytes, 5'000'000'011);
    EXPECT_EQ(size.rows, 2u);

    const SelectionSize none = CountSelectionSize(rows, {});
    EXPECT_EQ(none.totalBytes, 0);
    EXPECT_EQ(none.rows, 0u);
}

} // namespace
} // namespace quarvel
