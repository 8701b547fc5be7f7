#include "catalogue/MameListGenerator.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

TEST(MameListGenerator, RecognisesTheEmulator)
{
    QTemporaryDir folder;
    auto makeFile = [&](const char* name, bool executable) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        test::WriteFile(path, "#!/bin/sh\n");
        if (executable)
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    };
    EXPECT_TRUE(MameListGenerator::IsMameExecutable(QStringLiteral("/nowhere/MAME.EXE")));
    EXPECT_TRUE(MameListGenerator::IsMameExecutable(makeFile("mame", true)));
    EXPECT_TRUE(MameListGenerator::IsMameExecutable(makeFile("mame0251", true)));
    EXPECT_FALSE(MameListGenerator::IsMameExecutable(makeFile("list.XML", true)));
    EXPECT_FALSE(MameListGenerator::IsMameExecutable(makeFile("notes.txt", false)));
    EXPECT_FALSE(MameListGenerator::IsMameExecutable(folder.path()));
    EXPECT_FALSE(MameListGenerator::IsMameExecutable(folder.filePath(QStringLiteral("missing"))));
}

TEST(MameListGenerator, ListGoesNextToAWritableExecutableElseToTheCache)
{
    QTemporaryDir folder;
    EXPECT_EQ(MameListGenerator::ListPathFor(folder.filePath(QStringLiteral("mame"))),
              folder.filePath(QStringLiteral("tempmamelist.xml")));

    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    EXPECT_EQ(MameListGenerator::ListPathFor(QStringLiteral("/usr/games/mame")),
              cache.filePath(QStringLiteral("Quarvel/tempmamelist.xml")));
    qunsetenv("XDG_CACHE_HOME");
}

} // namespace
} // namespace quarvel
