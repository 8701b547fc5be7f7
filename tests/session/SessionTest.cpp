#include "session/Session.h"
#include "settings/QSettingsStore.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

// A session as the command line drives one: no window, every report recorded.
struct HeadlessSession {
    test::RecordingLog log;
    test::RecordingProgress progress;
    test::CountingPump pump;
    test::ScriptedPrompts prompts;
    Session session{Reporting{log, progress, pump, prompts}};
};

const QByteArray MachineList = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n"
                               "<machine name=\"pacman\"><description>Pac-Man &amp; Co</description>"
                               "<year>1980</year><manufacturer>Namco</manufacturer></machine>\n"
                               "<machine name=\"puckman\" cloneof=\"pacman\"><description>Puck Man</description>"
                               "<year>1980</year></machine>\n"
                               "<machine name=\"galaga\"><description>Galaga</description></machine>\n"
                               "</mame>\n";

TEST(Session, RunsCategoriesImportScanAndMatchWithoutAWindow)
{
    QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("list.xml"));
    test::WriteFile(list, MachineList);
    const QString source = folder.filePath(QStringLiteral("roms/"));
    test::WriteFile(source + QStringLiteral("PACMAN.7z"), "12345");
    test::WriteFile(source + QStringLiteral("puckman.zip"), "123");

    HeadlessSession headless;
    Session& session = headless.session;
    session.BuildCategories(test::Compress("[Maze / Collect]\r\npacman\r\npuckman\r\n"));
    session.Settings().XmlLoc = list;
    session.Settings().SourceFolder = source;
    ASSERT_TRUE(session.ScanSourceFolder());
    ASSERT_TRUE(session.LoadRomList());

    ASSERT_EQ(session.RomList().size(), 3u);
    const Rom& pacman = session.RomList()[0];
    EXPECT_EQ(pacman.GameName, QStringLiteral("Pac-Man & Co"));
    EXPECT_EQ(pacman.Category, QStringLiteral("Maze / Collect"));
    EXPECT_TRUE(pacman.InDisk);
    EXPECT_EQ(pacman.Size, 5);
    EXPECT_FALSE(session.RomList()[1].InDisk); // a zip, while the source type is 7-Zip
    EXPECT_TRUE(session.RomList()[1].IsClone);
    EXPECT_EQ(session.CloneNames().Lines(), QStringList({"puckman"}));
    EXPECT_EQ(session.OriginalNames().Lines(), QStringList({"pacman", "galaga"}));
    EXPECT_EQ(session.SourceFiles().Count(), 1);
    EXPECT_TRUE(session.SourceScanned());
    EXPECT_TRUE(session.ListImported());
    ASSERT_EQ(headless.log.lines.size(), 7);
    EXPECT_TRUE(headless.log.lines.last().startsWith(QStringLiteral("Roms in XML: 3 [Originals: 2, Clones: 1]")));

    session.Settings().SrcType = 1;
    session.ScanSourceFolder();
    session.MatchRomFiles();
    EXPECT_TRUE(session.RomList()[1].InDisk);
    EXPECT_EQ(session.RomList()[1].Size, 3);
    EXPECT_TRUE(headless.prompts.messages.isEmpty());
}

TEST(Session, SettingsSurviveInTheStore)
{
    QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettingsStore store;
    {
        HeadlessSession first;
        first.session.Settings() = SessionSettings{QStringLiteral("/lists/mame.xml"), QStringLiteral("/roms/"),
                                                   QStringLiteral("/out/"), 1};
        first.session.SaveSettings(store);
    }
    HeadlessSession second;
    EXPECT_TRUE(second.session.RestoreSettings(store));
    EXPECT_EQ(second.session.Settings().XmlLoc, QStringLiteral("/lists/mame.xml"));
    EXPECT_EQ(second.session.Settings().SourceFolder, QStringLiteral("/roms/"));
    EXPECT_EQ(second.session.Settings().OutFolder, QStringLiteral("/out/"));
    EXPECT_EQ(second.session.Settings().SrcType, 1);
    EXPECT_EQ(second.session.SourceExtension(), QStringLiteral("zip"));
}

} // namespace
} // namespace quarvel
