#include "app/MainWindowHarness.h"
#include "settings/CategoriesSetting.h"
#include "support/NamedCases.h"
#include "support/TestFiles.h"
#include "util/SizeText.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

using test::PrintTo;

// Four machines: two present originals in two categories, a present clone, and an absent one.
const QByteArray FourMachines =
    "<mame>\n"
    "<machine name=\"pacman\"><description>Pac-Man</description><year>1980</year>"
    "<manufacturer>Namco</manufacturer></machine>\n"
    "<machine name=\"puckman\" cloneof=\"pacman\"><description>Puck Man</description><year>1980</year></machine>\n"
    "<machine name=\"galaga\"><description>Galaga</description><year>1981</year></machine>\n"
    "<machine name=\"absent\"><description>Absent</description><year>1980</year></machine>\n"
    "</mame>\n";

const QByteArray Categories = "[Maze / Collect]\r\npacman\r\npuckman\r\n";

class RomsListWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString genres = folder.filePath(QStringLiteral("genres"));
        WriteFile(genres, Compress(Categories));
        TMainServices services;
        services.genresResource = genres;
        main = std::make_unique<MainWindowHarness>(services, &settings);
        main->WaitForStartUp();
        const QString roms = folder.filePath(QStringLiteral("roms/"));
        WriteFile(roms + QStringLiteral("pacman.7z"), QByteArray(1536, 'p'));
        WriteFile(roms + QStringLiteral("puckman.7z"), "puck");
        WriteFile(roms + QStringLiteral("galaga.7z"), "gal");
        main->ChooseSourceFolder(roms);
        const QString list = folder.filePath(QStringLiteral("list.xml"));
        WriteFile(list, FourMachines);
        main->prompts.fileAnswers.push_back(list);
        main->Control<QAbstractButton>("rkGlassButton2")->click();
        main->Control<QAbstractButton>("ButtonRomsList")->click();
    }

    QStringList Rows() const
    {
        QStringList rows;
        const QAbstractItemModel* model = View()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows.append(model->index(row, 0).data().toString());
        return rows;
    }
    QTableView* View() const { return main->Control<QTableView>("ListView1"); }
    QString Found() const { return main->Control<QLabel>("Label3")->text(); }
    QListWidget* Cats() const { return main->Control<QListWidget>("CatsBox"); }
    QAction* Item(const char* name) const { return main->Window().findChild<QAction*>(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    TemporarySettings settings;
    std::unique_ptr<MainWindowHarness> main;
};

TEST_F(RomsListWindow, OpeningThePageShowsPresentOriginalsWithTheirSizeText)
{
    EXPECT_EQ(Rows(), QStringList({"pacman", "galaga"}));
    EXPECT_EQ(Found(), QStringLiteral("Found: 2"));
    const QAbstractItemModel* model = View()->model();
    EXPECT_EQ(model->index(0, 4).data().toString(), QStringLiteral("Maze / Collect"));
    EXPECT_EQ(model->index(0, 5).data().toString(), FormatSize(1536));
    EXPECT_EQ(model->index(0, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("Pac-Man"));
    EXPECT_FALSE(View()->wordWrap());
    EXPECT_EQ(View()->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

struct FilterCase {
    const char* name;
    const char* text;
    bool clones;
    QStringList rows;
};

class RomsListFilter : public RomsListWindow, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(RomsListFilter, FiltersOnEveryChangeOfTheControls)
{
    if (GetParam().clones)
        main->Control<QCheckBox>("CheckBox1")->click();
    main->Control<QLineEdit>("ButtonedEdit1")->setText(QString::fromLatin1(GetParam().text));
    EXPECT_EQ(Rows(), GetParam().rows);
    EXPECT_EQ(Found(), QStringLiteral("Found: %1").arg(GetParam().rows.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, RomsListFilter,
                         ::testing::Values(FilterCase{"ClonesShownWhenChecked", "", true, {"pacman", "puckman", "galaga"}},
                                           FilterCase{"AsciiCaseIgnored", "PAC", false, {"pacman"}},
                                           FilterCase{"YearText", "198", true, {"pacman", "puckman", "galaga"}},
                                           FilterCase{"MissingIsNotAnEmptyCategory", "missing", false, {}},
                                           FilterCase{"AbsentArchiveNeverListed", "absent", true, {}}),
                         test::CaseName());

TEST_F(RomsListWindow, CrossButtonClearsTheTextAndRefilters)
{
    auto* edit = main->Control<QLineEdit>("ButtonedEdit1");
    edit->setText(QStringLiteral("gal"));
    EXPECT_EQ(Rows(), QStringList({"galaga"}));
    ASSERT_TRUE(edit->isClearButtonEnabled());
    edit->clear();
    EXPECT_EQ(Rows(), QStringList({"pacman", "galaga"}));
}

TEST_F(RomsListWindow, SelectNoneHidesEveryRowAndSelectAllBringsThemBack)
{
    Item("SelectAll3")->trigger();
    EXPECT_EQ(Found(), QStringLiteral("Found: 0"));
    Item("SelectAll2")->trigger();
    EXPECT_EQ(Rows(), QStringList({"pacman", "galaga"}));
    // Unchecking the missing-category item hides galaga, which no category names.
    Cats()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(Rows(), QStringList({"pacman"}));
}

TEST_F(RomsListWindow, SelectionOperationsActOnTheSelectedRowsArchives)
{
    View()->selectRow(0);
    Item("CountSelectionSize1")->trigger();
    EXPECT_EQ(main->prompts.messages, QStringList({FormatSize(1536)}));

    const QString destination = folder.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(destination));
    main->prompts.folderAnswers.push_back(destination);
    Item("CopySelectiontofiles1")->trigger();
    EXPECT_EQ(main->prompts.folderTitles.last(), QStringLiteral("Select Destination Folder"));
    EXPECT_EQ(ReadFile(destination + QStringLiteral("/pacman.7z")), QByteArray(1536, 'p'));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("roms/pacman.7z"))));

    View()->selectRow(1);
    const qsizetype foldersAsked = main->prompts.folderTitles.size();
    Item("Deleteselectionfiles1")->trigger();
    EXPECT_EQ(main->prompts.folderTitles.size(), foldersAsked);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("roms/galaga.7z"))));
    EXPECT_EQ(main->LogLines().last(), QStringLiteral("Finished, files processed: 1"));
}

TEST_F(RomsListWindow, ChosenCategoryListIsUsedAndRemembered)
{
    const QString catver = folder.filePath(QStringLiteral("catver.ini"));
    WriteFile(catver, ";; a list of our own\r\n[Category]\r\ngalaga=Shooter / Flying Vertical\r\n"
                      "pacman=Maze / Collect\r\n\r\n[VerAdded]\r\ngalaga=.37b\r\n");
    main->prompts.categoryListAnswers.push_back(catver);
    Item("LoadCategoryList1")->trigger();

    EXPECT_EQ(main->Window().RomList()[2].Category, QStringLiteral("Shooter / Flying Vertical"));
    EXPECT_EQ(Cats()->count(), 3);
    EXPECT_TRUE(main->LogLines().last().contains(QStringLiteral("catver.ini")));
    const CategoriesChoice remembered = ReadCategoriesChoice(settings.store, QString::fromLatin1(TMain::SettingsKey));
    EXPECT_EQ(remembered.ChosenSource, CategoriesChoice::Source::File);
    EXPECT_EQ(remembered.Path, catver);

    Item("UseBuiltInList1")->trigger();
    EXPECT_EQ(main->Window().RomList()[2].Category, QString());
    EXPECT_EQ(ReadCategoriesChoice(settings.store, QString::fromLatin1(TMain::SettingsKey)).ChosenSource,
              CategoriesChoice::Source::BuiltIn);
}

TEST(RomsListDiscovery, StartUpUsesTheCatverIniFoundUnderDotMame)
{
    TemporarySettings settings;
    WriteFile(settings.folder.filePath(QStringLiteral(".mame/folders/catver.ini")),
              "[Category]\r\npacman=Maze / Collect\r\ngalaga=Shooter / Flying Vertical\r\n");
    MainWindowHarness main({}, &settings);
    main.WaitForStartUp();
    EXPECT_TRUE(main.LogLines().join(u'\n').contains(QStringLiteral(".mame/folders/catver.ini")));
    EXPECT_EQ(main.Window().CategoryNames().Count(), 2);
}

} // namespace
} // namespace quarvel::test
