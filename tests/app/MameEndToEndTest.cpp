// Imports the machine list of the real emulator from Debian's mame package.
#include "app/MainWindowHarness.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace quarvel::test {
namespace {

const QString Mame = QStringLiteral("/usr/games/mame");

qsizetype CountMachineElements(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    qsizetype count = 0;
    for (qsizetype at = text.indexOf("<machine "); at >= 0; at = text.indexOf("<machine ", at + 1))
        ++count;
    return count;
}

const Rom* FindRom(const RomTable& roms, const QString& name)
{
    const auto found = std::find_if(roms.begin(), roms.end(), [&](const Rom& rom) { return rom.RomFile == name; });
    return found == roms.end() ? nullptr : &*found;
}

TEST(MameEndToEnd, ExecutableRoadImportsTheRealMachineList)
{
    ASSERT_TRUE(QFileInfo(Mame).isExecutable()) << "the set-up installs Debian's mame package";
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));

    MainWindowHarness main;
    main.WaitForStartUp();
    main.prompts.fileAnswers.push_back(Mame);
    main.prompts.yesNoAnswers.push_back(false);
    main.Control<QAbstractButton>("rkGlassButton2")->click();
    qunsetenv("XDG_CACHE_HOME");

    const QString generated = cache.filePath(QStringLiteral("Quarvel/tempmamelist.xml"));
    ASSERT_TRUE(main.prompts.errors.isEmpty()) << main.prompts.errors.join(u'\n').toStdString();
    EXPECT_EQ(main.Window().OpenDialog1FileName(), generated);
    EXPECT_FALSE(QFile::exists(QStringLiteral("/usr/games/tempmamelist.xml")));

    const qsizetype machines = CountMachineElements(generated);
    EXPECT_GT(machines, 40000);
    EXPECT_EQ(qsizetype(main.Window().RomList().size()), machines);
    EXPECT_EQ(main.Window().OriginalNames().Count() + main.Window().CloneNames().Count(), machines);

    const Rom* puckman = FindRom(main.Window().RomList(), QStringLiteral("puckman"));
    const Rom* pacman = FindRom(main.Window().RomList(), QStringLiteral("pacman"));
    ASSERT_NE(puckman, nullptr);
    ASSERT_NE(pacman, nullptr);
    EXPECT_FALSE(puckman->IsClone);
    EXPECT_TRUE(pacman->IsClone);
    EXPECT_EQ(pacman->GameName, QStringLiteral("Pac-Man (Midway)"));
    EXPECT_EQ(pacman->Category, QStringLiteral("Maze / Collect"));
    EXPECT_TRUE(main.LogLines().last().startsWith(QStringLiteral("Roms in XML: %1 [Originals: ").arg(machines)));
}

} // namespace
} // namespace quarvel::test
