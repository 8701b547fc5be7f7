#include "support/NamedCases.h"
#include "app/MainWindowHarness.h"
#include "app/Theme.h"
#include "support/TestFiles.h"
#include "widgets/TrkGlassButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

using test::PrintTo;

const QString InitialLogLine = QStringLiteral("Log. Use Roms List page to filter roms and copy/move selections.");

bool IsCategoriesLine(const QString& line)
{
    static const QRegularExpression pattern(QStringLiteral("^Categories parsed \\[\\d+ ms\\]$"));
    return pattern.match(line).hasMatch();
}

TEST(MainWindow, FirstRunState)
{
    MainWindowHarness main;
    main.WaitForStartUp();

    const QStringList log = main.LogLines();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], InitialLogLine);
    EXPECT_TRUE(IsCategoriesLine(log[1])) << log[1].toStdString();
    EXPECT_EQ(main.Control<QLineEdit>("Edit1")->text(), QString());
    EXPECT_EQ(main.Control<QLineEdit>("Edit2")->text(), QString());
    EXPECT_TRUE(main.Control<QLineEdit>("Edit1")->isReadOnly());
    EXPECT_EQ(main.Control<QComboBox>("ComboBox3")->currentText(), QStringLiteral("Source: 7zip"));
    EXPECT_EQ(main.Window().windowTitle(), QStringLiteral("Quarvel 0.6 beta"));
    EXPECT_TRUE(main.prompts.errors.isEmpty());

    for (const char* name : {"rkGlassButton2", "ButtonClones", "ButtonRomsList", "ComboBox3", "PngSpeedButton1",
                             "Edit1", "Memo1", "Button1", "Label4"})
        EXPECT_TRUE(main.Control<QWidget>(name)->isEnabled()) << name;
    for (const char* name : {"PngSpeedButton2", "Edit2", "Label1", "ComboBox1", "ButtonGoFile", "Label2",
                             "ComboBox2", "Button3"})
        EXPECT_FALSE(main.Control<QWidget>(name)->isEnabled()) << name;
}

TEST(MainWindow, ControlsCarryTheirCaptions)
{
    MainWindowHarness main;
    const std::pair<const char*, const char*> captions[] = {
        {"rkGlassButton2", "Open Mame exe/xml"}, {"ButtonClones", "Clones"},
        {"ButtonRomsList", "Roms List (XML/in disk)"}, {"PngSpeedButton1", "Source roms folder"},
        {"PngSpeedButton2", "Output folder"}, {"ButtonGoFile", "Go"}, {"Button3", "Go"},
        {"Button1", "Check Version"}, {"CheckBox1", "Clones"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(main.Control<QAbstractButton>(name)->text(), QString::fromLatin1(caption)) << name;
    const std::pair<const char*, const char*> labels[] = {
        {"Label1", "File operations"}, {"Label2", "XML operations (tbd)"}, {"Label6", "Categories"},
        {"Label3", "Found:"}, {"Label4", TMain::WebAddress}};
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(main.Control<QLabel>(name)->text(), QString::fromLatin1(caption)) << name;

    auto items = [&](const char* name) {
        QStringList texts;
        auto* combo = main.Control<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    };
    EXPECT_EQ(items("ComboBox1"),
              QStringList({"Delete clone files", "Move clone files", "Move non-clones", "Copy non-clones"}));
    EXPECT_EQ(items("ComboBox2"), QStringList({"Remove clone entries"}));
    EXPECT_EQ(items("ComboBox3"), QStringList({"Source: 7zip", "Source: zips"}));
    EXPECT_EQ(main.Control<QLineEdit>("ButtonedEdit1")->placeholderText(),
              QStringLiteral("Filter by rom/name/year/category/manufacturer"));
}

TEST(MainWindow, CategoryCheckListStartsWithMissingCategoryAndEverythingChecked)
{
    MainWindowHarness main;
    main.WaitForStartUp();
    auto* cats = main.Control<QListWidget>("CatsBox");
    ASSERT_EQ(cats->count(), main.Window().CategoryNames().Count() + 1);
    EXPECT_EQ(cats->item(0)->text(), QStringLiteral("-Missing Category-"));
    EXPECT_EQ(cats->item(1)->text(), QStringLiteral("Ball & Paddle"));
    for (int i = 0; i < cats->count(); ++i)
        EXPECT_EQ(cats->item(i)->checkState(), Qt::Checked) << i;
    EXPECT_EQ(main.Window().Categories().FindCategory(QStringLiteral("PACMAN")), QStringLiteral("Maze / Collect"));
}

TEST(MainWindow, PageButtonsSwitchPagesAndDownStates)
{
    MainWindowHarness main;
    main.WaitForStartUp();
    auto* pages = main.Control<QStackedWidget>("PageControl1");
    auto* clones = main.Control<TrkGlassButton>("ButtonClones");
    auto* romsList = main.Control<TrkGlassButton>("ButtonRomsList");
    auto* open = main.Control<TrkGlassButton>("rkGlassButton2");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_TRUE(clones->Down());
    EXPECT_FALSE(romsList->Down());

    romsList->click();
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_FALSE(clones->Down());
    EXPECT_TRUE(romsList->Down());

    clones->click();
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_TRUE(clones->Down());
    EXPECT_FALSE(romsList->Down());
    EXPECT_FALSE(open->Down());
}

struct BadResource {
    const char* name;
    QByteArray bytes;
    const char* error;
};

class MainWindowBadCategoryResource : public ::testing::TestWithParam<BadResource> {};

TEST_P(MainWindowBadCategoryResource, ShowsTheLibraryErrorAndSkipsTheRestOfTheChain)
{
    QTemporaryDir folder;
    const QString resource = folder.filePath(QStringLiteral("genres"));
    WriteFile(resource, GetParam().bytes);
    TMainServices services;
    services.genresResource = resource;
    MainWindowHarness main(services);
    main.WaitForStartUp();

    EXPECT_EQ(main.prompts.errors, QStringList({QString::fromLatin1(GetParam().error)}));
    EXPECT_EQ(main.LogLines(), QStringList({InitialLogLine}));
    EXPECT_EQ(main.Control<QListWidget>("CatsBox")->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, MainWindowBadCategoryResource,
                         ::testing::Values(BadResource{"Empty", QByteArray(), "buffer error"},
                                           BadResource{"Truncated", Compress("[Maze]\r\npacman\r\n").left(5),
                                                       "buffer error"},
                                           BadResource{"NotZlib", "[Maze]\r\npacman\r\n", "incorrect header check"}),
                         test::CaseName());

TEST(MainWindow, GivesEveryLogLineToTheEchoAsTheMemoGetsIt)
{
    QStringList echoed;
    TMainServices services;
    services.echoLog = [&](const QString& line) { echoed.append(line); };
    MainWindowHarness main(services);
    main.WaitForStartUp();

    ASSERT_GE(echoed.size(), 1);
    EXPECT_EQ(echoed, main.LogLines().mid(main.LogLines().size() - echoed.size()));
}

void SendLeftDrag(QWidget* target, Qt::MouseButtons held)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(400, 10), target->mapToGlobal(QPointF(400, 10)), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

TEST(MainWindow, DraggingTheTopBarOrClonesPageMovesTheWindow)
{
    MainWindowHarness main;
    SendLeftDrag(main.Control<QWidget>("vpnlTop"), Qt::LeftButton);
    EXPECT_EQ(main.windowMoves, 1);
    SendLeftDrag(main.Control<QWidget>("TabSheet1"), Qt::LeftButton);
    EXPECT_EQ(main.windowMoves, 2);
    SendLeftDrag(main.Control<QWidget>("TabSheet1"), Qt::RightButton);
    EXPECT_EQ(main.windowMoves, 2);
    SendLeftDrag(main.Control<QWidget>("TabSheet2"), Qt::LeftButton);
    EXPECT_EQ(main.windowMoves, 2);
}

TEST(MainWindow, LinkLabelOpensItsAddress)
{
    MainWindowHarness main;
    auto* link = main.Control<QLabel>("Label4");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(link, &release);
    EXPECT_EQ(main.openedInShell, QStringList({QString::fromLatin1(TMain::WebAddress)}));
}

TEST(MainWindow, AnchoredControlsFollowTheWindowSize)
{
    MainWindowHarness main;
    QWidget* memo = main.Control<QWidget>("Memo1");
    QWidget* check = main.Control<QWidget>("Button1");
    QWidget* source = main.Control<QWidget>("PngSpeedButton1");
    EXPECT_EQ(memo->geometry(), QRect(3, 104, 871, 450));
    const QRect checkBefore = check->geometry();

    main.Window().resize(985, 730);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo->geometry(), QRect(3, 104, 971, 550));
    EXPECT_EQ(check->geometry(), checkBefore.translated(100, 100));
    EXPECT_EQ(source->geometry(), QRect(3, 2, 112, 22));
}

TEST(Theme, EveryCaptionFitsItsControlUnderTheTheme)
{
    auto& application = *qobject_cast<QApplication*>(QCoreApplication::instance());
    const QString previous = application.styleSheet();
    ASSERT_TRUE(ApplyTheme(application, QStringLiteral("Onyx Blue")));
    {
        MainWindowHarness main;
        // The theme's push buttons spend a one-pixel border and two pixels of padding a side;
        // glass captions get the width less one, as their text rectangle has.
        const std::pair<const char*, int> captioned[] = {
            {"PngSpeedButton1", 6}, {"PngSpeedButton2", 6}, {"Button1", 6}, {"ButtonGoFile", 6},
            {"rkGlassButton2", 1},  {"ButtonClones", 1},    {"ButtonRomsList", 1}};
        for (const auto& [name, spent] : captioned) {
            auto* control = main.Control<QAbstractButton>(name);
            control->ensurePolished();
            EXPECT_LE(QFontMetrics(control->font()).horizontalAdvance(control->text()), control->width() - spent)
                << name;
        }
        auto* link = main.Control<QLabel>("Label4");
        link->ensurePolished();
        EXPECT_LE(QFontMetrics(link->font()).horizontalAdvance(link->text()), link->width());
    }
    application.setStyleSheet(previous);
}

TEST(Theme, OnyxBlueIsBuiltInAndUnknownThemesAreReported)
{
    auto& application = *qobject_cast<QApplication*>(QCoreApplication::instance());
    const QString previous = application.styleSheet();
    EXPECT_TRUE(ApplyTheme(application, QStringLiteral("Onyx Blue")));
    EXPECT_FALSE(application.styleSheet().isEmpty());
    EXPECT_FALSE(ApplyTheme(application, QStringLiteral("Nope")));
    application.setStyleSheet(previous);
}

} // namespace
} // namespace quarvel::test
