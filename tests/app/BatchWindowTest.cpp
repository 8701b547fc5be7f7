#include "support/NamedCases.h"
#include "app/MainWindowHarness.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

using test::PrintTo;

// A machine list whose clones are all clones of the first original.
QByteArray MachineList(const QStringList& originals, const QStringList& clones)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n";
    for (const QString& name : originals)
        xml += "\t<machine name=\"" + name.toUtf8() + "\">\n\t\t<description>" + name.toUtf8()
               + "</description>\n\t</machine>\n";
    for (const QString& name : clones)
        xml += "\t<machine name=\"" + name.toUtf8() + "\" cloneof=\"" + originals.first().toUtf8()
               + "\">\n\t\t<description>" + name.toUtf8() + "</description>\n\t</machine>\n";
    return xml + "</mame>\n";
}

QStringList NumberedNames(const QString& prefix, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(prefix + QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
    return names;
}

QStringList Archives(const QTemporaryDir& folder)
{
    return QDir(folder.path()).entryList(QDir::Files, QDir::Name);
}

// The controls that would change the lists, the folders or the tables a batch walks.
const QStringList ListChangingControls{"rkGlassButton2",  "ComboBox3", "ButtonRomsList", "PngSpeedButton1",
                                       "PngSpeedButton2", "Edit2",     "ComboBox1"};

class BatchWindow : public ::testing::Test {
protected:
    void SetUp() override { main.WaitForStartUp(); }

    // Imports the list with the archives of the given names in the source folder and the output
    // folder set in Edit2.
    void Prepare(const QStringList& originals, const QStringList& clones, const QStringList& archived)
    {
        for (const QString& name : archived)
            WriteFile(source.filePath(name + QStringLiteral(".7z")), name.toUtf8());
        main.ChooseSourceFolder(source.path());
        const QString list = listFolder.filePath(QStringLiteral("list.xml"));
        WriteFile(list, MachineList(originals, clones));
        main.prompts.fileAnswers.push_back(list);
        main.Control<QAbstractButton>("rkGlassButton2")->click();
        main.Control<QLineEdit>("Edit2")->setText(output.path() + QDir::separator());
    }

    // Chooses the operation, clicks Go and returns the lines the run added to the log.
    QStringList Run(int item)
    {
        main.Control<QComboBox>("ComboBox1")->setCurrentIndex(item);
        const qsizetype before = main.LogLines().size();
        Go()->click();
        return main.LogLines().mid(before);
    }

    QAbstractButton* Go() const { return main.Control<QAbstractButton>("ButtonGoFile"); }

    QStringList EnabledOf(const QStringList& names)
    {
        QStringList enabled;
        for (const QString& name : names)
            if (main.Window().findChild<QWidget*>(name)->isEnabled())
                enabled.append(name);
        return enabled;
    }

    QTemporaryDir source;
    QTemporaryDir output;
    QTemporaryDir listFolder;
    MainWindowHarness main;
};

struct OperationCase {
    const char* name;
    int item;
    QStringList log;
    QStringList sourceAfter;
    QStringList outputAfter;
};

class BatchOperationWindow : public BatchWindow, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(BatchOperationWindow, ActsOnTheArchivesOfItsListAndLogsTheCount)
{
    Prepare({"a", "c", "e"}, {"b", "d"}, {"a", "b", "c"});
    EXPECT_EQ(Run(GetParam().item), GetParam().log);
    EXPECT_EQ(Archives(source), GetParam().sourceAfter);
    EXPECT_EQ(Archives(output), GetParam().outputAfter);
    EXPECT_EQ(Go()->text(), QStringLiteral("Go"));
    EXPECT_TRUE(main.prompts.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Operations, BatchOperationWindow,
    ::testing::Values(
        OperationCase{"DeleteClones", 0, {"Deleting clones..", "Done, 1 clones deleted."}, {"a.7z", "c.7z"}, {}},
        OperationCase{"MoveClones", 1, {"Moving clones..", "Done, 1 clones moved."}, {"a.7z", "c.7z"}, {"b.7z"}},
        OperationCase{"MoveOriginals", 2, {"Moving originals..", "Done, 2 originals moved."}, {"b.7z"},
                      {"a.7z", "c.7z"}},
        OperationCase{"CopyOriginals", 3, {"Copying originals..", "Done, 2 originals copied."},
                      {"a.7z", "b.7z", "c.7z"}, {"a.7z", "c.7z"}}),
    test::CaseName());

TEST_F(BatchWindow, CancelClickLetThroughByThePumpStopsTheRunAtThatMark)
{
    const QStringList clones = NumberedNames(QStringLiteral("c"), 300);
    Prepare({"p"}, clones, clones);
    // Runs at the run's first pump, after the first 100 names.
    QTimer::singleShot(0, Go(), [this] { Go()->click(); });

    EXPECT_EQ(Run(0), QStringList({"Deleting clones..", "Operation cancelled.", "Done, 100 clones deleted."}));
    QStringList untouched;
    for (const QString& name : clones.mid(100))
        untouched.append(name + QStringLiteral(".7z"));
    EXPECT_EQ(Archives(source), untouched);
    EXPECT_EQ(Go()->text(), QStringLiteral("Go"));
    EXPECT_TRUE(Go()->isEnabled());
    EXPECT_EQ(EnabledOf(ListChangingControls), ListChangingControls);
}

TEST_F(BatchWindow, ControlsThatChangeTheListsAreDisabledWhileTheRunPumpsButCancelIsNot)
{
    const QStringList clones = NumberedNames(QStringLiteral("c"), 300);
    Prepare({"p"}, clones, clones);
    QStringList enabledWhileRunning;
    QString captionWhileRunning;
    QTimer::singleShot(0, Go(), [&] {
        enabledWhileRunning = EnabledOf(ListChangingControls + QStringList{"ButtonGoFile"});
        captionWhileRunning = Go()->text();
    });

    EXPECT_EQ(Run(1).last(), QStringLiteral("Done, 300 clones moved."));
    EXPECT_EQ(enabledWhileRunning, QStringList({"ButtonGoFile"}));
    EXPECT_EQ(captionWhileRunning, QStringLiteral("Cancel"));
    EXPECT_EQ(Go()->text(), QStringLiteral("Go"));
    EXPECT_TRUE(Go()->isEnabled());
    EXPECT_EQ(Archives(output).size(), 300);
}

} // namespace
} // namespace quarvel::test
