#include "support/NamedCases.h"
#include "FolderFixtures.h"
#include "reporting/EventPump.h"
#include "romfolder/SourceFolder.h"
#include "support/TestFiles.h"
#include "util/StringList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace quarvel {
namespace {

using test::PrintTo;

// These passes run without a window.
NoEventPump noPump;

TEST(SourceType, IndexGivesTheExtension)
{
    EXPECT_EQ(SourceTypeExtension(0), QStringLiteral("7z"));
    EXPECT_EQ(SourceTypeExtension(1), QStringLiteral("zip"));
    EXPECT_EQ(SourceTypeExtension(-1), QStringLiteral("7z"));
}

// source/: galaga.7z  .hidden.7z  dkong.7z (FIFO)  mspacman.7z (socket)  pacman.7z/ (folder)
//          sub/digdug.7z  xevious.zip  XEVIOUS2.ZIP
class SourceScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        source = dir.filePath(QStringLiteral("source")) + QStringLiteral("/");
        test::MakeMixedSourceFolder(source);
        test::WriteFile(source + QStringLiteral("XEVIOUS2.ZIP"), "xevious2");
    }

    QTemporaryDir dir;
    QString source;
};

struct ScanCase {
    const char* name;
    const char* extension;
    bool trailingDelimiter;
    QStringList expectedNames;
};

class ScanCases : public SourceScan, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(ScanCases, CountsHiddenArchivesButNotSystemEntriesFoldersOrSubfolders)
{
    const QString folder = GetParam().trailingDelimiter ? source : source.chopped(1);
    StringList sourceFiles;
    sourceFiles.Add(QStringLiteral("/stale/entry.7z"));
    test::RecordingLog log;
    test::CountingPump pump;

    EXPECT_TRUE(ScanSourceFolder(folder, QString::fromUtf8(GetParam().extension), sourceFiles, log, pump));

    QStringList expectedPaths;
    for (const QString& name : GetParam().expectedNames)
        expectedPaths.append(source + name);
    EXPECT_EQ(sourceFiles.Lines(), expectedPaths);
    EXPECT_EQ(log.lines, QStringList({QStringLiteral("Scanning folder.. [") + folder + QStringLiteral("]"),
                                      QString::number(expectedPaths.size()) + QStringLiteral(" roms found.")}));
    EXPECT_EQ(pump.calls, 1);
}

INSTANTIATE_TEST_SUITE_P(
    SourceScan, ScanCases,
    ::testing::Values(ScanCase{"SevenZip", "7z", true, {".hidden.7z", "galaga.7z"}},
                      ScanCase{"WithoutDelimiter", "7z", false, {".hidden.7z", "galaga.7z"}},
                      ScanCase{"Zip", "zip", true, {"XEVIOUS2.ZIP", "xevious.zip"}}),
    test::CaseName());

TEST_F(SourceScan, AFolderThatDoesNotExistChangesNothing)
{
    const QStringList folders = {QString(), dir.filePath(QStringLiteral("gone/")),
                                 source + QStringLiteral("galaga.7z")};
    for (const QString& folder : folders) {
        StringList sourceFiles;
        sourceFiles.Add(QStringLiteral("/kept/galaga.7z"));
        test::RecordingLog log;
        test::CountingPump pump;

        EXPECT_FALSE(ScanSourceFolder(folder, QStringLiteral("7z"), sourceFiles, log, pump)) << folder.toStdString();
        EXPECT_EQ(sourceFiles.Lines(), QStringList{"/kept/galaga.7z"});
        EXPECT_TRUE(log.lines.isEmpty());
        EXPECT_EQ(pump.calls, 0);
    }
}

TEST_F(SourceScan, AnUnreadableFolderCountsNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser from reading a folder";
    ASSERT_TRUE(QFile::setPermissions(source, QFileDevice::Permissions()));
    StringList sourceFiles;
    sourceFiles.Add(QStringLiteral("/stale/entry.7z"));
    test::RecordingLog log;

    EXPECT_TRUE(ScanSourceFolder(source, QStringLiteral("7z"), sourceFiles, log, noPump));
    QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    EXPECT_TRUE(sourceFiles.IsEmpty());
    EXPECT_EQ(log.lines.value(1), QStringLiteral("0 roms found."));
}

} // namespace
} // namespace quarvel
