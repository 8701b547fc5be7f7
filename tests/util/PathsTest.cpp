#include "support/TestFiles.h"
#include "util/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quarvel {
namespace {

TEST(Paths, AddSlash)
{
    EXPECT_EQ(AddSlash(QString()), QStringLiteral("/"));
    EXPECT_EQ(AddSlash(QStringLiteral("/roms")), QStringLiteral("/roms/"));
    EXPECT_EQ(AddSlash(QStringLiteral("/roms/")), QStringLiteral("/roms/"));
}

TEST(Paths, ExtensionIsTakenAfterTheLastDelimiterOnly)
{
    EXPECT_EQ(ExtractFileExt(QStringLiteral("/games/MAME.EXE")), QStringLiteral(".EXE"));
    EXPECT_EQ(ExtractFileExt(QStringLiteral("/games/list.tar.xml")), QStringLiteral(".xml"));
    EXPECT_EQ(ExtractFileExt(QStringLiteral("/games.d/mame")), QString());
    EXPECT_EQ(ExtractFileExt(QStringLiteral("mame")), QString());
    EXPECT_EQ(ExtractFilePath(QStringLiteral("/games/mame")), QStringLiteral("/games/"));
    EXPECT_EQ(ExtractFilePath(QStringLiteral("mame")), QString());
    EXPECT_EQ(ExtractFileName(QStringLiteral("/games/mame")), QStringLiteral("mame"));
}

TEST(Paths, FolderAndFileTests)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("roms"));
    const QString file = root.filePath(QStringLiteral("roms/pacman.7z"));
    test::WriteFile(file, "x");
    ASSERT_TRUE(QFile::link(folder, root.filePath(QStringLiteral("link"))));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("gone")), root.filePath(QStringLiteral("broken"))));
    ASSERT_EQ(mkfifo(QFile::encodeName(root.filePath(QStringLiteral("roms/fifo.7z"))).constData(), 0600), 0);

    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(FolderExists(folder + QStringLiteral("/")));
    EXPECT_TRUE(FolderExists(root.filePath(QStringLiteral("link"))));
    EXPECT_FALSE(FolderExists(root.filePath(QStringLiteral("broken"))));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(QString()));

    EXPECT_TRUE(FileExistsInFolder(file));
    EXPECT_TRUE(FileExistsInFolder(root.filePath(QStringLiteral("roms/fifo.7z"))));
    EXPECT_FALSE(FileExistsInFolder(folder));
    EXPECT_FALSE(FileExistsInFolder(root.filePath(QStringLiteral("roms/none.7z"))));
    EXPECT_FALSE(FileExistsInFolder(root.filePath(QStringLiteral("nofolder/pacman.7z"))));
    // A bare name has no folder part, even when the file is in the working folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    EXPECT_FALSE(FileExistsInFolder(QStringLiteral("pacman.7z")));
    QDir::setCurrent(previous);
}

} // namespace
} // namespace quarvel
