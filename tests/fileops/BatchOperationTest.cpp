#include "support/NamedCases.h"
#include "ArchiveChecks.h"
#include "ScopedTmpfs.h"
#include "fileops/ArchiveLocations.h"
#include "fileops/BatchOperation.h"
#include "fileops/CancelFlag.h"
#include "support/RecordingSinks.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include <sys/stat.h>

namespace quarvel {
namespace {

using test::PrintTo;

constexpr BatchOperation AllOperations[] = {BatchOperation::DeleteClones, BatchOperation::MoveClones,
                                            BatchOperation::MoveOriginals, BatchOperation::CopyOriginals};

class BatchOperationTest : public test::ArchiveFoldersTest {
protected:
    QByteArray AddArchive(const QString& name, const QString& extension = QStringLiteral("7z"))
    {
        const QByteArray bytes = test::ArchiveBytes(name + u'.' + extension);
        test::WriteFile(source + name + u'.' + extension, bytes);
        return bytes;
    }

    BatchOutcome RunOn(BatchOperation operation, const QStringList& names, const QString& destination,
                       const QString& extension = QStringLiteral("7z"), const FileActions& actions = FileActions())
    {
        return RunBatchOperation(operation, names, ArchiveLocations{source, extension, destination}, cancel, log,
                                 progress, pump, actions);
    }

    QString source = Folder("source");
    QString output = Folder("output");
    CancelFlag cancel;
    test::RecordingLog log;
    test::RecordingProgress progress;
    test::CountingPump pump;
};

QStringList Numbered(const QString& prefix, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(prefix + QString::number(i));
    return names;
}

TEST_F(BatchOperationTest, OffersTheFourOperationsInOrder)
{
    EXPECT_EQ(BatchOperationItems(),
              QStringList({"Delete clone files", "Move clone files", "Move non-clones", "Copy non-clones"}));
    EXPECT_EQ(BatchOperationAt(3), BatchOperation::CopyOriginals);
    EXPECT_EQ(BatchOperationAt(-1), std::nullopt);
    EXPECT_EQ(BatchOperationAt(4), std::nullopt);
}

struct OperationCase {
    const char* name;
    BatchOperation operation;
    const char* startLine;
    const char* finalLine;
    bool staysInSource;
    bool arrivesInOutput;
};

class EachOperation : public BatchOperationTest, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(EachOperation, ActsOnEveryPresentArchiveAndCountsIt)
{
    const OperationCase& c = GetParam();
    std::vector<QByteArray> bytes{AddArchive("a"), AddArchive("b"), AddArchive("c")};

    const BatchOutcome outcome = RunOn(c.operation, {"a", "gone", "b", "c"}, output);

    EXPECT_EQ(log.lines, QStringList({c.startLine, c.finalLine}));
    EXPECT_EQ(outcome.done, 3);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(progress.maxima, std::vector<int>{3});
    EXPECT_TRUE(progress.positions.empty());
    EXPECT_EQ(pump.calls, 0);
    const QStringList names{"a", "b", "c"};
    for (qsizetype i = 0; i < names.size(); ++i) {
        EXPECT_EQ(QFileInfo::exists(source + names[i] + ".7z"), c.staysInSource) << names[i].toStdString();
        EXPECT_EQ(QFileInfo::exists(output + names[i] + ".7z"), c.arrivesInOutput) << names[i].toStdString();
        if (c.arrivesInOutput) {
            EXPECT_EQ(test::ReadFile(output + names[i] + ".7z"), bytes[std::size_t(i)]);
        }
    }
    EXPECT_TRUE(QDir(output).entryList(QDir::Hidden | QDir::Files).filter(TemporaryCopySuffix).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Operations, EachOperation,
    ::testing::Values(OperationCase{"DeleteClones", BatchOperation::DeleteClones, "Deleting clones..",
                                    "Done, 3 clones deleted.", false, false},
                      OperationCase{"MoveClones", BatchOperation::MoveClones, "Moving clones..",
                                    "Done, 3 clones moved.", false, true},
                      OperationCase{"MoveOriginals", BatchOperation::MoveOriginals, "Moving originals..",
                                    "Done, 3 originals moved.", false, true},
                      OperationCase{"CopyOriginals", BatchOperation::CopyOriginals, "Copying originals..",
                                    "Done, 3 originals copied.", true, true}),
    test::CaseName());

TEST_F(BatchOperationTest, EmptyListLogsStartAndZeroAndLeavesTheProgressAlone)
{
    const QStringList finalLines{"Done, 0 clones deleted.", "Done, 0 clones moved.", "Done, 0 originals moved.",
                                 "Done, 0 originals copied."};
    for (std::size_t i = 0; i < std::size(AllOperations); ++i) {
        log.lines.clear();
        EXPECT_EQ(RunOn(AllOperations[i], {}, output).done, 0);
        ASSERT_EQ(log.lines.size(), 2);
        EXPECT_EQ(log.lines[1], finalLines[qsizetype(i)]);
    }
    EXPECT_TRUE(progress.maxima.empty());
    EXPECT_TRUE(progress.positions.empty());
}

struct CadenceCase {
    const char* name;
    int names;
    std::vector<int> positions;
};

class Cadence : public BatchOperationTest, public ::testing::WithParamInterface<CadenceCase> {};

// Names without an archive count towards the pump as much as those with one.
TEST_P(Cadence, PumpsAndMovesTheProgressEveryHundredNames)
{
    const CadenceCase& c = GetParam();

    RunOn(BatchOperation::DeleteClones, Numbered("gone", c.names), QString());

    EXPECT_EQ(progress.maxima, std::vector<int>{c.names - 1});
    EXPECT_EQ(progress.positions, c.positions);
    EXPECT_EQ(pump.calls, int(c.positions.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, Cadence,
                         ::testing::Values(CadenceCase{"NinetyNineNamesNeverPump", 99, {}},
                                           CadenceCase{"TwoHundredFiftyNames", 250, {99, 199}}),
                         test::CaseName());

TEST_F(BatchOperationTest, CancelThroughThePumpStopsBeforeTheNextName)
{
    const QStringList names = Numbered("c", 1000);
    for (const QString& name : names)
        AddArchive(name);
    pump.onCall = [&](int call) {
        if (call == 3)
            cancel.Request();
    };

    const BatchOutcome outcome = RunOn(BatchOperation::DeleteClones, names, QString());

    EXPECT_EQ(log.lines, QStringList({"Deleting clones..", "Operation cancelled.", "Done, 300 clones deleted."}));
    EXPECT_EQ(outcome.done, 300);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(QDir(source).entryList(QDir::Files).size(), 700);
    EXPECT_FALSE(QFileInfo::exists(source + "c299.7z"));
    EXPECT_EQ(test::ReadFile(source + "c300.7z"), test::ArchiveBytes("c300.7z"));
}

TEST_F(BatchOperationTest, ANewRunClearsAnEarlierCancel)
{
    AddArchive("a");
    cancel.Request();

    EXPECT_EQ(RunOn(BatchOperation::DeleteClones, {"a"}, QString()).done, 1);
}

// Events handled in the pump may refill the list the run was given; the run keeps to its names.
TEST_F(BatchOperationTest, WalkKeepsTheNamesItStartedWith)
{
    QStringList names = Numbered("c", 150);
    for (const QString& name : names)
        AddArchive(name);
    pump.onCall = [&](int) { names.clear(); };

    EXPECT_EQ(RunOn(BatchOperation::DeleteClones, names, QString()).done, 150);
}

TEST_F(BatchOperationTest, CopyOverwritesAnExistingArchiveAndCountsIt)
{
    const QByteArray bytes = AddArchive("a");
    test::WriteFile(output + "a.7z", test::ArchiveBytes("older"));

    EXPECT_EQ(RunOn(BatchOperation::CopyOriginals, {"a"}, output).done, 1);

    EXPECT_EQ(log.lines.last(), "Done, 1 originals copied.");
    EXPECT_EQ(test::ReadFile(output + "a.7z"), bytes);
}

TEST_F(BatchOperationTest, MoveOntoAnExistingArchiveKeepsBoth)
{
    for (const BatchOperation operation : {BatchOperation::MoveClones, BatchOperation::MoveOriginals}) {
        log.lines.clear();
        const QList<QByteArray> archives{AddArchive("a"), test::ArchiveBytes("older")};
        test::WriteFile(output + "a.7z", archives[1]);

        EXPECT_EQ(RunOn(operation, {"a"}, output).done, 0);

        ASSERT_EQ(log.lines.size(), 3);
        EXPECT_EQ(log.lines[1], "Error: can't move " + source + "a.7z");
        EXPECT_TRUE(log.lines[2].startsWith("Done, 0 "));
        test::ExpectEachArchiveOnce({source, output}, archives);
        QFile::remove(output + "a.7z");
    }
}

TEST_F(BatchOperationTest, SourceTypeZipPassesOver7zArchives)
{
    const QByteArray a = AddArchive("a");
    const QByteArray b = AddArchive("b", "zip");

    EXPECT_EQ(RunOn(BatchOperation::MoveClones, {"a", "b"}, output, "zip").done, 1);

    test::ExpectEachArchiveOnce({source}, {a});
    test::ExpectEachArchiveOnce({output}, {b});
}

TEST_F(BatchOperationTest, DeletingNeverReadsTheOutputFolder)
{
    for (const QString& destination : {QString(), dir.filePath("none/")}) {
        log.lines.clear();
        AddArchive("a");

        EXPECT_EQ(RunOn(BatchOperation::DeleteClones, {"a"}, destination).done, 1);

        EXPECT_EQ(log.lines, QStringList({"Deleting clones..", "Done, 1 clones deleted."}));
    }
}

// A folder named like an archive is no archive at all; a FIFO is one that cannot be acted on.
TEST_F(BatchOperationTest, FifoIsAnErrorAndFolderIsPassedOverAndBothStay)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(source + "a.7z").constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(source + "b.7z"));

    EXPECT_EQ(RunOn(BatchOperation::DeleteClones, {"a", "b"}, QString()).done, 0);
    EXPECT_EQ(RunOn(BatchOperation::MoveClones, {"a", "b"}, output).done, 0);

    EXPECT_EQ(log.lines, QStringList({"Deleting clones..", "Error: can't delete " + source + "a.7z",
                                      "Done, 0 clones deleted.", "Moving clones..",
                                      "Error: can't move " + source + "a.7z", "Done, 0 clones moved."}));
    EXPECT_TRUE(QFileInfo(source + "a.7z").exists());
    EXPECT_TRUE(QFileInfo(source + "b.7z").isDir());
    EXPECT_TRUE(QDir(output).isEmpty());
}

struct FolderCase {
    const char* name;
    const char* outputFolder; // inside the test's folder, or empty for none chosen
    const char* errorLine;    // completed with the output folder when it ends in a space
};

class UnusableOutputFolder : public BatchOperationTest, public ::testing::WithParamInterface<FolderCase> {};

// Rather than write into the current folder, or beside the one meant.
TEST_P(UnusableOutputFolder, LogsOneErrorLineAndTouchesNothing)
{
    const FolderCase& c = GetParam();
    const QString folder = *c.outputFolder ? dir.filePath(c.outputFolder) : QString();
    const QString errorLine = QString::fromLatin1(c.errorLine) + (QString(c.errorLine).endsWith(u' ') ? folder : "");
    const QByteArray a = AddArchive("a");

    for (const BatchOperation operation :
         {BatchOperation::MoveClones, BatchOperation::MoveOriginals, BatchOperation::CopyOriginals}) {
        log.lines.clear();
        EXPECT_EQ(RunOn(operation, {"a"}, folder).done, 0);
        EXPECT_EQ(log.lines, QStringList{errorLine});
    }

    EXPECT_TRUE(progress.maxima.empty());
    EXPECT_EQ(pump.calls, 0);
    test::ExpectEachArchiveOnce({source, output}, {a});
}

INSTANTIATE_TEST_SUITE_P(Cases, UnusableOutputFolder,
                         ::testing::Values(FolderCase{"Empty", "", "Error: no output folder chosen."},
                                           FolderCase{"Missing", "none/", "Error: can't find output folder "}),
                         test::CaseName());

TEST_F(BatchOperationTest, SourceFolderAsOutputIsAnErrorPerName)
{
    const QList<QByteArray> archives{AddArchive("a"), AddArchive("b")};

    EXPECT_EQ(RunOn(BatchOperation::MoveClones, {"a", "b"}, source).done, 0);
    EXPECT_EQ(RunOn(BatchOperation::CopyOriginals, {"a", "b"}, source).done, 0);

    EXPECT_EQ(log.lines, QStringList({"Moving clones..", "Error: can't move " + source + "a.7z",
                                      "Error: can't move " + source + "b.7z", "Done, 0 clones moved.",
                                      "Copying originals..", "Error: can't copy " + source + "a.7z",
                                      "Error: can't copy " + source + "b.7z", "Done, 0 originals copied."}));
    test::ExpectEachArchiveOnce({source}, archives);
}

TEST_F(BatchOperationTest, FailureHalfwayAcrossFileSystemsCostsThatNameAlone)
{
    test::ScopedTmpfs tmpfs(output, QStringLiteral("16m"));
    if (!tmpfs.IsMounted())
        GTEST_SKIP() << tmpfs.SkipReason();
    const QList<QByteArray> archives{AddArchive("a"), AddArchive("b"), AddArchive("c")};
    int copies = 0;
    const FileActions failSecondCopy([&](qint64) { return ++copies != 2; });

    EXPECT_EQ(RunOn(BatchOperation::MoveClones, {"a", "b", "c"}, output, "7z", failSecondCopy).done, 2);

    EXPECT_EQ(log.lines,
              QStringList({"Moving clones..", "Error: can't move " + source + "b.7z", "Done, 2 clones moved."}));
    test::ExpectEachArchiveOnce({source}, {archives[1]});
    test::ExpectEachArchiveOnce({output}, {archives[0], archives[2]});
}

} // namespace
} // namespace quarvel
