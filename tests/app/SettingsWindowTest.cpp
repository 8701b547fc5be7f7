#include "support/NamedCases.h"
#include "app/MainWindowHarness.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

using test::PrintTo;

QString SettingsDocument(const QString& location, const QString& source, const QString& output, const QString& type,
                         const QString& outerTag = QStringLiteral("Settings"),
                         const QString& locationTag = QStringLiteral("XMLLoc"))
{
    return QStringLiteral("<%5>\r\n    <%6>%1</%6>\r\n    <SourceFolder>%2</SourceFolder>\r\n"
                          "    <OutFolder>%3</OutFolder>\r\n    <SrcType>%4</SrcType>\r\n</%5>\r\n")
        .arg(location, source, output, type, outerTag, locationTag);
}

TEST(SettingsWindow, FirstRunStoresTheEmptyDocumentAtClose)
{
    TemporarySettings settings;
    {
        MainWindowHarness main({}, &settings);
        main.WaitForStartUp();
    }
    const std::optional<QString> stored = settings.Document();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(*stored, SettingsDocument({}, {}, {}, QStringLiteral("0")));
    EXPECT_EQ(stored->size(), 138);
}

TEST(SettingsWindow, ChosenValuesSurviveARestart)
{
    TemporarySettings settings;
    QTemporaryDir roms;
    {
        MainWindowHarness main({}, &settings);
        main.WaitForStartUp();
        main.ChooseSourceFolder(roms.path());
        main.Control<QLineEdit>("Edit2")->setText(QStringLiteral("/out/"));
        main.Control<QComboBox>("ComboBox3")->setCurrentIndex(1);
    }
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    EXPECT_EQ(main.Control<QLineEdit>("Edit1")->text(), roms.path() + u'/');
    EXPECT_EQ(main.Control<QLineEdit>("Edit2")->text(), QStringLiteral("/out/"));
    EXPECT_EQ(main.Control<QComboBox>("ComboBox3")->currentIndex(), 1);
    EXPECT_EQ(main.LogLines().mid(2),
              QStringList({QStringLiteral("Scanning folder.. [%1/]").arg(roms.path()), "0 roms found."}));
}

struct SourceTypeCase {
    const char* name;
    const char* stored;
    int index;
};

class SettingsSourceType : public ::testing::TestWithParam<SourceTypeCase> {};

TEST_P(SettingsSourceType, OnlyZeroAndOneAreSourceTypes)
{
    TemporarySettings settings;
    settings.Store(SettingsDocument({}, {}, {}, QString::fromLatin1(GetParam().stored)));
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    EXPECT_EQ(main.Control<QComboBox>("ComboBox3")->currentIndex(), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsSourceType,
                         ::testing::Values(SourceTypeCase{"One", "1", 1}, SourceTypeCase{"Five", "5", 0},
                                           SourceTypeCase{"MinusOne", "-1", 0}, SourceTypeCase{"LoneMinus", "-", 0},
                                           SourceTypeCase{"Word", "zip", 0}, SourceTypeCase{"Empty", "", 0},
                                           SourceTypeCase{"Hex", "$1", 1}),
                         test::CaseName());

TEST(SettingsWindow, OuterTagMustMatchExactlyWhileItemTagsIgnoreCase)
{
    TemporarySettings lowerOuter;
    lowerOuter.Store(SettingsDocument({}, QStringLiteral("/a/"), {}, QStringLiteral("1"), QStringLiteral("settings")));
    {
        MainWindowHarness main({}, &lowerOuter);
        main.WaitForStartUp();
        EXPECT_EQ(main.Control<QLineEdit>("Edit1")->text(), QString());
        EXPECT_EQ(main.Control<QComboBox>("ComboBox3")->currentIndex(), 0);
    }
    TemporarySettings lowerItem;
    lowerItem.Store(SettingsDocument(QStringLiteral("/g/mame.exe"), {}, {}, QStringLiteral("0"), QStringLiteral("Settings"),
                                     QStringLiteral("xmlloc")));
    MainWindowHarness main({}, &lowerItem);
    main.WaitForStartUp();
    EXPECT_EQ(main.Window().OpenDialog1FileName(), QStringLiteral("/g/mame.exe"));
}

TEST(SettingsWindow, RememberedListIsImportedBeforeTheScanAndAProgramIsNeverRun)
{
    QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("list.xml"));
    WriteFile(list, "<machine name=\"a\">\n<description>A</description>\n</machine>\n");
    const QString roms = folder.filePath(QStringLiteral("roms/"));
    WriteFile(roms + QStringLiteral("a.7z"), "1");

    TemporarySettings settings;
    settings.Store(SettingsDocument(list, roms, {}, QStringLiteral("0")));
    {
        MainWindowHarness main({}, &settings);
        main.WaitForStartUp();
        QStringList log = main.LogLines().mid(2);
        ASSERT_EQ(log.size(), 6) << log.join(u'|').toStdString();
        EXPECT_EQ(log[0], QStringLiteral("Loading XML.."));
        EXPECT_EQ(log[1], QStringLiteral("Match parsing start.."));
        EXPECT_TRUE(log[3].startsWith(QStringLiteral("Roms in XML: 1 [Originals: 1, Clones: 0] [parsed in ")));
        EXPECT_EQ(log[4], QStringLiteral("Scanning folder.. [%1]").arg(roms));
        EXPECT_EQ(log[5], QStringLiteral("1 roms found."));
        ASSERT_EQ(main.Window().RomList().size(), 1u);
        EXPECT_TRUE(main.Window().RomList()[0].InDisk);
    }

    const QString exe = folder.filePath(QStringLiteral("mame.exe"));
    WriteFile(exe, "#!/bin/sh\ntouch ran\n");
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);
    for (const QString& location : {exe, folder.filePath(QStringLiteral("LIST.XML"))}) {
        settings.Store(SettingsDocument(location, {}, {}, QStringLiteral("0")));
        MainWindowHarness main({}, &settings);
        main.WaitForStartUp();
        EXPECT_EQ(main.LogLines().size(), 2) << location.toStdString();
        EXPECT_EQ(main.Window().OpenDialog1FileName(), location);
    }
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("ran"))));
}

TEST(SettingsWindow, DeletedRememberedListReportsTheOpenErrorAndSkipsTheScan)
{
    QTemporaryDir folder;
    const QString gone = folder.filePath(QStringLiteral("tempmamelist.xml"));
    TemporarySettings settings;
    settings.Store(SettingsDocument(gone, folder.path() + u'/', {}, QStringLiteral("0")));
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    ASSERT_EQ(main.prompts.errors.size(), 1);
    EXPECT_TRUE(main.prompts.errors[0].startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(gone)));
    EXPECT_EQ(main.LogLines().mid(2), QStringList({"Loading XML.."}));
    EXPECT_EQ(main.Control<QLineEdit>("Edit1")->text(), folder.path() + u'/');
    EXPECT_FALSE(main.Control<QWidget>("PngSpeedButton2")->isEnabled());
}

TEST(SettingsWindow, ValuesAreStoredUnescapedSoACloseMarkerCutsThem)
{
    TemporarySettings settings;
    {
        MainWindowHarness main({}, &settings);
        main.WaitForStartUp();
        main.Control<QLineEdit>("Edit2")->setText(QStringLiteral("/a</c>/&<b>"));
    }
    EXPECT_TRUE(settings.Document()->contains(QStringLiteral("<OutFolder>/a</c>/&<b></OutFolder>")));
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    EXPECT_EQ(main.Control<QLineEdit>("Edit2")->text(), QStringLiteral("/a"));
}

TEST(SettingsWindow, StoredValueThatIsNotTextIsReportedAndDefaultsKept)
{
    TemporarySettings settings;
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quarvel"));
        raw.setValue(QStringLiteral("Settings"), QByteArray("\x01", 1));
    }
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    EXPECT_EQ(main.prompts.messages, QStringList({"Invalid data type for 'Settings'"}));
    EXPECT_EQ(main.LogLines().size(), 2);
}

TEST(SettingsWindow, FailureToStoreAtCloseIsShown)
{
    TemporarySettings settings;
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    const QString blocked = settings.folder.filePath(QStringLiteral("blocked"));
    WriteFile(blocked, "x");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocked);
    main.Close();
    EXPECT_EQ(main.prompts.errors, QStringList({"Failed to set data for 'Settings'"}));
}

} // namespace
} // namespace quarvel::test
