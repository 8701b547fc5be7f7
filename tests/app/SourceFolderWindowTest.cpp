#include "app/MainWindowHarness.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

bool IsMatchDoneLine(const QString& line)
{
    static const QRegularExpression pattern(QStringLiteral("^Match parsing done \\[\\d+ ms\\]$"));
    return pattern.match(line).hasMatch();
}

TEST(SourceFolderWindow, ChoosingTheSourceFolderScansMatchesAndUnlocksTheOutputFolder)
{
    QTemporaryDir roms;
    WriteFile(roms.filePath(QStringLiteral("pacman.7z")), "12345");
    WriteFile(roms.filePath(QStringLiteral("galaga.7z")), "1");
    WriteFile(roms.filePath(QStringLiteral("other.zip")), "1");
    MainWindowHarness main;
    main.WaitForStartUp();
    main.ChooseSourceFolder(roms.path());

    EXPECT_EQ(main.prompts.folderTitles, QStringList({"Select Source Roms Folder"}));
    EXPECT_EQ(main.Control<QLineEdit>("Edit1")->text(), roms.path() + u'/');
    const QStringList log = main.LogLines().mid(2);
    ASSERT_EQ(log.size(), 4) << log.join(u'|').toStdString();
    EXPECT_EQ(log[0], QStringLiteral("Scanning folder.. [%1/]").arg(roms.path()));
    EXPECT_EQ(log[1], QStringLiteral("2 roms found."));
    EXPECT_EQ(log[2], QStringLiteral("Match parsing start.."));
    EXPECT_TRUE(IsMatchDoneLine(log[3])) << log[3].toStdString();
    EXPECT_TRUE(main.Control<QWidget>("PngSpeedButton2")->isEnabled());
    EXPECT_TRUE(main.Control<QWidget>("Edit2")->isEnabled());
    EXPECT_FALSE(main.Control<QWidget>("ButtonGoFile")->isEnabled());
}

TEST(SourceFolderWindow, CancellingEitherPickerChangesNothing)
{
    MainWindowHarness main;
    main.WaitForStartUp();
    const QStringList before = main.LogLines();
    main.Control<QPushButton>("PngSpeedButton1")->click();
    EXPECT_EQ(main.Control<QLineEdit>("Edit1")->text(), QString());
    EXPECT_EQ(main.LogLines(), before);
    EXPECT_FALSE(main.Control<QWidget>("PngSpeedButton2")->isEnabled());
}

TEST(SourceFolderWindow, OutputPickerStartsAtTheOutputFolderElseTheSourceFolder)
{
    QTemporaryDir roms;
    QTemporaryDir out;
    MainWindowHarness main;
    main.WaitForStartUp();
    main.ChooseSourceFolder(roms.path());

    auto* outputButton = main.Control<QPushButton>("PngSpeedButton2");
    auto* edit2 = main.Control<QLineEdit>("Edit2");
    edit2->setText(QStringLiteral("/no/such/folder"));
    outputButton->click(); // cancelled
    EXPECT_EQ(edit2->text(), QStringLiteral("/no/such/folder"));
    main.prompts.folderAnswers.push_back(out.path());
    edit2->setText(out.path());
    outputButton->click();
    EXPECT_EQ(main.prompts.folderTitles.mid(1), QStringList({"Select Output Folder", "Select Output Folder"}));
    EXPECT_EQ(main.prompts.folderStarts.mid(1), QStringList({roms.path() + u'/', out.path()}));
    EXPECT_EQ(edit2->text(), out.path() + u'/');
}

TEST(SourceFolderWindow, SourceTypeChoiceRescansWithTheOtherExtension)
{
    QTemporaryDir roms;
    WriteFile(roms.filePath(QStringLiteral("pacman.7z")), "1");
    WriteFile(roms.filePath(QStringLiteral("pacman.zip")), "12");
    WriteFile(roms.filePath(QStringLiteral("galaga.zip")), "123");
    MainWindowHarness main;
    main.WaitForStartUp();
    main.ChooseSourceFolder(roms.path());
    auto* sourceType = main.Control<QComboBox>("ComboBox3");
    sourceType->setCurrentIndex(1);
    emit sourceType->activated(1);
    EXPECT_EQ(main.LogLines().at(main.LogLines().size() - 3), QStringLiteral("2 roms found."));
    EXPECT_EQ(main.Window().SourceFiles().Count(), 2);
}

TEST(SourceFolderWindow, MissingRememberedFolderIsNotScannedAtStartUp)
{
    TemporarySettings settings;
    settings.Store(QStringLiteral("<Settings>\r\n    <XMLLoc></XMLLoc>\r\n    <SourceFolder>/no/such/roms/</SourceFolder>\r\n"
                                  "    <OutFolder></OutFolder>\r\n    <SrcType>0</SrcType>\r\n</Settings>\r\n"));
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    EXPECT_EQ(main.LogLines().size(), 2);
    EXPECT_EQ(main.Control<QLineEdit>("Edit1")->text(), QStringLiteral("/no/such/roms/"));
    EXPECT_FALSE(main.Control<QWidget>("PngSpeedButton2")->isEnabled());
}

} // namespace
} // namespace quarvel::test
