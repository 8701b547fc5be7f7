#include "cli/CliProcess.h"
#include "support/NamedCases.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

const QStringList Collection{"--list", "list.xml", "--source", "roms"};

// Every archive of the source and output folders, with its size, so a run that touches
// nothing leaves the list equal.
QStringList ArchivesUnder(const QString& folder)
{
    QStringList files;
    for (const char* subfolder : {"out", "roms"}) {
        QDirIterator it(QDir(folder).filePath(QString::fromLatin1(subfolder)), QDir::Files | QDir::Hidden);
        while (it.hasNext()) {
            it.next();
            files.append(QDir(folder).relativeFilePath(it.filePath()) + QLatin1Char(' ')
                         + QString::number(it.fileInfo().size()));
        }
    }
    files.sort();
    return files;
}

struct OperationCase {
    const char* name;
    QStringList arguments;
    QByteArray out;
    QStringList filesAfter; // of roms/ and out/, with sizes; empty: the run touches nothing
};

class CliOperation : public ::testing::TestWithParam<OperationCase> {};

TEST_P(CliOperation, LogsAndLeavesTheFolders)
{
    QTemporaryDir folder;
    test::WriteCollection(folder.path());
    const QStringList before = ArchivesUnder(folder.path());
    const test::CliResult result = test::RunCli(folder.path(), GetParam().arguments + Collection);
    EXPECT_EQ(result.err, QByteArray());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, GetParam().out);
    EXPECT_EQ(ArchivesUnder(folder.path()), GetParam().filesAfter.isEmpty() ? before : GetParam().filesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliOperation,
    ::testing::Values(
        OperationCase{"DeletesClones", {"clones", "delete"}, "Deleting clones..\nDone, 1 clones deleted.\n",
                      QStringList{"roms/galaga.zip 2048", "roms/pacman.7z 5"}},
        OperationCase{"MovesClones", {"clones", "move", "--output", "out"}, "Moving clones..\nDone, 1 clones moved.\n",
                      QStringList{"out/puckman.7z 3", "roms/galaga.zip 2048", "roms/pacman.7z 5"}},
        OperationCase{"MovesOriginals", {"originals", "move", "--output", "out/"},
                      "Moving originals..\nDone, 1 originals moved.\n",
                      QStringList{"out/pacman.7z 5", "roms/galaga.zip 2048", "roms/puckman.7z 3"}},
        OperationCase{"CopiesOriginals", {"originals", "copy", "--output", "out"},
                      "Copying originals..\nDone, 1 originals copied.\n",
                      QStringList{"out/pacman.7z 5", "roms/galaga.zip 2048", "roms/pacman.7z 5",
                                        "roms/puckman.7z 3"}},
        OperationCase{"DryRunOfDeleteTouchesNothing", {"clones", "delete", "--dry-run"},
                      "Would delete roms/puckman.7z\nDry run, 1 clones would be deleted: 3 bytes (3 Bytes)\n", {}},
        OperationCase{"DryRunOfMoveTouchesNothing", {"clones", "move", "--output", "out", "--dry-run"},
                      "Would move roms/puckman.7z to out/puckman.7z\n"
                      "Dry run, 1 clones would be moved: 3 bytes (3 Bytes)\n",
                      {}},
        OperationCase{"DryRunOfCopyTouchesNothing", {"originals", "copy", "--output", "out", "--dry-run"},
                      "Would copy roms/pacman.7z to out/pacman.7z\n"
                      "Dry run, 1 originals would be copied: 5 bytes (5 Bytes)\n",
                      {}}),
    test::CaseName());

TEST(CliOperationFailure, GoesOnReportsEachAndEndsWithStatusOne)
{
    QTemporaryDir folder;
    test::WriteCollection(folder.path());
    test::WriteFile(folder.filePath(QStringLiteral("out/pacman.7z")), "kept");
    const test::CliResult result =
        test::RunCli(folder.path(), QStringList{"originals", "move", "--output", "out"} + Collection);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "Moving originals..\nError: can't move roms/pacman.7z\nDone, 0 originals moved.\n");
    EXPECT_EQ(test::ReadFile(folder.filePath(QStringLiteral("out/pacman.7z"))), "kept");
    EXPECT_EQ(test::ReadFile(folder.filePath(QStringLiteral("roms/pacman.7z"))), "12345");
}

TEST(CliOperationFailure, DryRunNamesTheMoveThatWouldFail)
{
    QTemporaryDir folder;
    test::WriteCollection(folder.path());
    test::WriteFile(folder.filePath(QStringLiteral("out/pacman.7z")), "kept");
    const test::CliResult result = test::RunCli(
        folder.path(), QStringList{"originals", "move", "--output", "out", "--dry-run"} + Collection);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "Would fail, out/pacman.7z exists\nDry run, 0 originals would be moved: 0 bytes (0 Bytes)\n");
}

} // namespace
} // namespace quarvel
