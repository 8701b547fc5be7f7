#include "support/NamedCases.h"
#include "app/MainWindowHarness.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

using test::PrintTo;

const QByteArray TwoMachines = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n"
                               "\t<machine name=\"a\" sourcefile=\"s.cpp\">\n\t\t<description>Alpha</description>\n"
                               "\t\t<year>1980</year>\n\t\t<manufacturer>Maker</manufacturer>\n\t</machine>\n"
                               "\t<machine name=\"b\" cloneof=\"a\">\n\t\t<description>Alpha (set 2)</description>\n"
                               "\t\t<year>1980</year>\n\t</machine>\n</mame>\n";

const QString DeleteQuestion =
    QStringLiteral("Do you want to delete the generated XML file\r\nafter it's been loaded? (stored in the mame.exe folder)");

// The log lines after the two start-up lines, with the match's time masked.
QStringList ImportLog(const MainWindowHarness& main)
{
    QStringList lines = main.LogLines().mid(2);
    for (QString& line : lines)
        line.replace(QRegularExpression(QStringLiteral("\\[(parsed in )?\\d+ ms\\]")), QStringLiteral("[\\1N ms]"));
    return lines;
}

class ImportWindow : public ::testing::Test {
protected:
    void SetUp() override { main.WaitForStartUp(); }

    void Open(const QString& path)
    {
        main.prompts.fileAnswers.push_back(path);
        main.Control<QAbstractButton>("rkGlassButton2")->click();
    }

    QTemporaryDir folder;
    MainWindowHarness main;
};

TEST_F(ImportWindow, ListRoadIgnoresTheExtensionsLetterCase)
{
    const QString list = folder.filePath(QStringLiteral("LIST.XML"));
    WriteFile(list, TwoMachines);
    Open(list);

    EXPECT_EQ(ImportLog(main), QStringList({"Loading XML..", "Match parsing start..", "Match parsing done [N ms]",
                                            "Roms in XML: 2 [Originals: 1, Clones: 1] [parsed in N ms]"}));
    EXPECT_EQ(main.Window().OriginalNames().Lines(), QStringList({"a"}));
    EXPECT_EQ(main.Window().CloneNames().Lines(), QStringList({"b"}));
    EXPECT_EQ(main.Window().OpenDialog1FileName(), list);
    const QAbstractItemModel* rows = main.Control<QTableView>("ListView1")->model();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->index(1, 1).data().toString(), QStringLiteral("Alpha (set 2)"));
    for (const char* name : {"Label1", "ComboBox1", "ButtonGoFile"})
        EXPECT_TRUE(main.Control<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(main.prompts.errors.isEmpty());
}

TEST_F(ImportWindow, Utf8ListWithoutMarkReadsNonAsciiTitles)
{
    const QString list = folder.filePath(QStringLiteral("list.xml"));
    WriteFile(list, QStringLiteral("<machine name=\"p\">\n<description>Pok\u00E9mon \u6F22\u5B57 \u2605</description>\n"
                                   "<manufacturer>Bandai &amp; Co</manufacturer>\n</machine>\n").toUtf8());
    Open(list);
    ASSERT_EQ(main.Window().RomList().size(), 1u);
    EXPECT_EQ(main.Window().RomList()[0].GameName, QStringLiteral("Pok\u00E9mon \u6F22\u5B57 \u2605"));
    EXPECT_EQ(main.Window().RomList()[0].Manufacturer, QStringLiteral("Bandai & Co"));
}

struct DeleteAnswer {
    const char* name;
    bool yes;
};

class ExecutableRoad : public ImportWindow, public ::testing::WithParamInterface<DeleteAnswer> {};

TEST_P(ExecutableRoad, GeneratesReadsAndKeepsOrDeletesTheList)
{
    const QString fixture = folder.filePath(QStringLiteral("fixture.data"));
    WriteFile(fixture, TwoMachines);
    const QString exe = WriteExecutable(folder.filePath(QStringLiteral("mame")),
                                     "[ \"$1\" = -listxml ] || exit 3\ncat '" + fixture.toUtf8() + "'\n");
    main.prompts.yesNoAnswers.push_back(GetParam().yes);
    Open(exe);

    const QString generated = folder.filePath(QStringLiteral("tempmamelist.xml"));
    EXPECT_EQ(main.prompts.questions, QStringList({DeleteQuestion}));
    EXPECT_EQ(ImportLog(main), QStringList({"Generating XML, please wait..", "Loading XML..", "Match parsing start..",
                                            "Match parsing done [N ms]",
                                            "Roms in XML: 2 [Originals: 1, Clones: 1] [parsed in N ms]"}));
    EXPECT_EQ(main.Window().OpenDialog1FileName(), generated);
    EXPECT_EQ(QFile::exists(generated), !GetParam().yes);
    EXPECT_EQ(main.Window().RomList().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExecutableRoad,
                         ::testing::Values(DeleteAnswer{"No", false}, DeleteAnswer{"Yes", true}),
                         test::CaseName());

TEST_F(ImportWindow, ExeNameInCapitalsTakesTheExecutableRoadAndAnEmptyListGivesNoMachine)
{
    const QString exe = WriteExecutable(folder.filePath(QStringLiteral("MAME.EXE")), "exit 0\n");
    Open(exe);
    const QStringList log = ImportLog(main);
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first(), QStringLiteral("Generating XML, please wait.."));
    EXPECT_EQ(log.last(), QStringLiteral("Roms in XML: 0 [Originals: 0, Clones: 0] [parsed in N ms]"));
    EXPECT_TRUE(main.Window().RomList().empty());
}

TEST_F(ImportWindow, MissingGeneratedListEndsTheImportWithAMessage)
{
    const QString exe = WriteExecutable(folder.filePath(QStringLiteral("mame")),
                                     "rm -f \"$(dirname \"$0\")\"/tempmamelist.xml*\n");
    Open(exe);
    EXPECT_EQ(main.prompts.messages, QStringList({"Error, can't find generated XML file"}));
    EXPECT_EQ(ImportLog(main), QStringList({"Generating XML, please wait.."}));
    EXPECT_EQ(main.Window().OpenDialog1FileName(), exe);
    EXPECT_FALSE(main.Control<QWidget>("ButtonGoFile")->isEnabled());
}

TEST_F(ImportWindow, ProgramThatCannotStartShowsTheSystemError)
{
    Open(folder.filePath(QStringLiteral("missing.exe")));
    ASSERT_EQ(main.prompts.errors.size(), 1);
    EXPECT_TRUE(main.prompts.errors[0].startsWith(QStringLiteral("System Error.  Code: 2.\r\n")))
        << main.prompts.errors[0].toStdString();
    EXPECT_EQ(ImportLog(main), QStringList({"Generating XML, please wait.."}));
    EXPECT_TRUE(main.Control<QWidget>("rkGlassButton2")->isEnabled());
}

TEST_F(ImportWindow, AnotherExtensionRescansTheLinesAlreadyRead)
{
    const QString notes = folder.filePath(QStringLiteral("notes.txt"));
    WriteFile(notes, "not a list");
    Open(notes);
    EXPECT_EQ(ImportLog(main).last(), QStringLiteral("Roms in XML: 0 [Originals: 0, Clones: 0] [parsed in N ms]"));

    const QString list = folder.filePath(QStringLiteral("list.xml"));
    WriteFile(list, TwoMachines);
    Open(list);
    const qsizetype before = ImportLog(main).size();
    Open(notes);
    const QStringList again = ImportLog(main).mid(before);
    EXPECT_EQ(again, QStringList({"Match parsing start..", "Match parsing done [N ms]",
                                  "Roms in XML: 2 [Originals: 1, Clones: 1] [parsed in N ms]"}));
}

TEST_F(ImportWindow, ListThatCannotBeOpenedKeepsTheTables)
{
    const QString list = folder.filePath(QStringLiteral("list.xml"));
    WriteFile(list, TwoMachines);
    Open(list);
    const QString gone = folder.filePath(QStringLiteral("gone.xml"));
    Open(gone);
    ASSERT_EQ(main.prompts.errors.size(), 1);
    EXPECT_TRUE(main.prompts.errors[0].startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(gone)));
    EXPECT_EQ(ImportLog(main).last(), QStringLiteral("Loading XML.."));
    EXPECT_EQ(main.Window().RomList().size(), 2u);
    EXPECT_EQ(main.Window().CloneNames().Lines(), QStringList({"b"}));
}

TEST_F(ImportWindow, ControlsThatChangeTheTablesAreDisabledWhileTheImportWaits)
{
    const QString exe = WriteExecutable(folder.filePath(QStringLiteral("mame")), "sleep 0.5\n");
    QStringList enabledWhileWaiting;
    QTimer::singleShot(150, [&] {
        for (const char* name : {"rkGlassButton2", "ComboBox3", "PngSpeedButton1", "ButtonRomsList", "CheckBox1",
                                 "ButtonedEdit1", "CatsBox"})
            if (main.Control<QWidget>(name)->isEnabled())
                enabledWhileWaiting.append(QString::fromLatin1(name));
    });
    Open(exe);
    EXPECT_TRUE(enabledWhileWaiting.isEmpty()) << enabledWhileWaiting.join(u',').toStdString();
    for (const char* name : {"rkGlassButton2", "ComboBox3", "PngSpeedButton1", "ButtonRomsList", "ButtonGoFile"})
        EXPECT_TRUE(main.Control<QWidget>(name)->isEnabled()) << name;
}

} // namespace
} // namespace quarvel::test
