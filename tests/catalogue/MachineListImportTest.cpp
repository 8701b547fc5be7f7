#include "catalogue/CategoryTable.h"
#include "catalogue/MachineListImport.h"
#include "support/RecordingSinks.h"
#include "support/TestFiles.h"
#include "reporting/EventPump.h"
#include "reporting/ProgressSink.h"
#include "util/InPlaceText.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QTemporaryDir>

#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace quarvel {
namespace {

using test::CountingPump;
using test::RecordingProgress;

struct ImportFixture {
    std::int64_t Parse(const QString& listText)
    {
        lines.SetText(listText);
        return MachineListImport::Parse(lines, categories, MachineTables{romList, filteredRoms, clones, originals},
                                        progress, pump);
    }

    TextLines lines;
    CategoryTable categories;
    RomTable romList;
    RomTable filteredRoms;
    StringList clones;
    StringList originals;
    RecordingProgress progress;
    CountingPump pump;
};

QString Machine(const QString& name, const QString& extraAttributes = QString())
{
    return QStringLiteral("<machine name=\"%1\"%2>\n<description>%1 title</description>\n<year>1981</year>\n"
                          "<manufacturer>Maker</manufacturer>\n</machine>\n")
        .arg(name, extraAttributes);
}

TEST(MachineListImport, TwoMachineList)
{
    ImportFixture fixture;
    StringList names;
    fixture.categories.Build(test::Compress("[Maze / Collect]\r\na\r\n"), names);
    fixture.Parse(QStringLiteral("<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n"
                                 "\t<machine name=\"a\" sourcefile=\"s.cpp\">\n"
                                 "\t\t<description>Alpha</description>\n\t\t<year>1980</year>\n"
                                 "\t\t<manufacturer>Maker</manufacturer>\n\t</machine>\n"
                                 "\t<machine name=\"b\" cloneof=\"a\" romof=\"a\">\n"
                                 "\t\t<description>Alpha (set 2)</description>\n\t\t<year>1980</year>\n"
                                 "\t</machine>\n</mame>\n"));
    ASSERT_EQ(fixture.romList.size(), 2u);
    const Rom& a = fixture.romList[0];
    const Rom& b = fixture.romList[1];
    EXPECT_EQ(a.RomFile, QStringLiteral("a"));
    EXPECT_EQ(a.GameName, QStringLiteral("Alpha"));
    EXPECT_EQ(a.Year, QStringLiteral("1980"));
    EXPECT_EQ(a.Manufacturer, QStringLiteral("Maker"));
    EXPECT_EQ(a.Category, QStringLiteral("Maze / Collect"));
    EXPECT_FALSE(a.IsClone);
    EXPECT_EQ(b.GameName, QStringLiteral("Alpha (set 2)"));
    EXPECT_EQ(b.Manufacturer, QString());
    EXPECT_EQ(b.Category, QString());
    EXPECT_TRUE(b.IsClone);
    EXPECT_EQ(fixture.originals.Lines(), QStringList({"a"}));
    EXPECT_EQ(fixture.clones.Lines(), QStringList({"b"}));
    EXPECT_EQ(fixture.filteredRoms[1].RomFile, QStringLiteral("b"));
    EXPECT_EQ(MachineListImport::SummaryLine(1, 1, 7), QStringLiteral("Roms in XML: 2 [Originals: 1, Clones: 1] [parsed in 7 ms]"));
}

TEST(MachineListImport, EntityReferencesInTheFieldsAreDecoded)
{
    ImportFixture fixture;
    fixture.Parse(QStringLiteral("<machine name=\"ab\" cloneof=\"\">\n"
                                 "<description>Alpha &amp; Beta &quot;&#233;&#x6F22;&quot; &lt;unknown&gt; &nbsp;</description>\n"
                                 "<year>198&#63;</year>\n<manufacturer>A &amp; B &amp</manufacturer>\n</machine>\n"
                                 "<machine name=\"x\">\n</machine>\n"));
    ASSERT_EQ(fixture.romList.size(), 2u);
    EXPECT_EQ(fixture.romList[0].GameName, QStringLiteral("Alpha & Beta \"\u00E9\u6F22\" <unknown> &nbsp;"));
    EXPECT_EQ(fixture.romList[0].Year, QStringLiteral("198?"));
    EXPECT_EQ(fixture.romList[0].Manufacturer, QStringLiteral("A & B &amp"));
    EXPECT_EQ(fixture.filteredRoms[0].GameName, fixture.romList[0].GameName);
    EXPECT_FALSE(fixture.romList[0].IsClone); // an empty cloneof is an original
    EXPECT_EQ(fixture.romList[1].GameName, QString());
    EXPECT_EQ(fixture.originals.Count(), 2);
}

TEST(MachineListImport, ProgressAndPumpEveryHundredMachines)
{
    ImportFixture fixture;
    QString list;
    for (int i = 0; i < 250; ++i)
        list += Machine(QStringLiteral("m%1").arg(i));
    fixture.Parse(list);
    EXPECT_EQ(fixture.romList.size(), 250u);
    EXPECT_EQ(fixture.progress.maxima, std::vector<int>({250}));
    EXPECT_EQ(fixture.progress.positions, std::vector<int>({100, 200}));
    EXPECT_EQ(fixture.pump.calls, 2);
}

TEST(MachineListImport, SecondShorterImportResizesAndKeepsArchiveStateOfKeptIndexes)
{
    ImportFixture fixture;
    fixture.Parse(Machine(QStringLiteral("a")) + Machine(QStringLiteral("b")) + Machine(QStringLiteral("c")));
    fixture.romList[0].InDisk = true;
    fixture.romList[0].Size = 1234;
    fixture.Parse(Machine(QStringLiteral("z")));
    ASSERT_EQ(fixture.romList.size(), 1u);
    ASSERT_EQ(fixture.filteredRoms.size(), 1u);
    EXPECT_EQ(fixture.romList[0].RomFile, QStringLiteral("z"));
    EXPECT_TRUE(fixture.romList[0].InDisk); // until the match runs
    EXPECT_EQ(fixture.romList[0].Size, 1234);
    EXPECT_EQ(fixture.originals.Lines(), QStringList({"z"}));
}

TEST(MachineListImport, ListWithoutMachinesEmptiesTheTables)
{
    ImportFixture fixture;
    fixture.Parse(Machine(QStringLiteral("a")));
    fixture.Parse(QStringLiteral("<mame>\n<machine>\n</mame>\n"));
    EXPECT_TRUE(fixture.romList.empty());
    EXPECT_TRUE(fixture.filteredRoms.empty());
    EXPECT_EQ(fixture.originals.Count() + fixture.clones.Count(), 0);
}

struct ImportedTables {
    RomTable romList;
    RomTable filteredRoms;
    StringList clones;
    StringList originals;
};

template <typename ListText>
ImportedTables ImportFile(const QString& path)
{
    ListText text;
    text.LoadFromFile(path);
    ImportedTables tables;
    CategoryTable categories;
    StringList names;
    categories.Build(test::Compress("[Maze]\r\nab\r\n"), names);
    RecordingProgress progress;
    CountingPump pump;
    MachineListImport::Parse(text, categories,
                             MachineTables{tables.romList, tables.filteredRoms, tables.clones, tables.originals},
                             progress, pump);
    return tables;
}

void ExpectSameRecords(const RomTable& inPlace, const RomTable& lines)
{
    ASSERT_EQ(inPlace.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(inPlace[i].RomFile, lines[i].RomFile);
        EXPECT_EQ(inPlace[i].GameName, lines[i].GameName);
        EXPECT_EQ(inPlace[i].Year, lines[i].Year);
        EXPECT_EQ(inPlace[i].Manufacturer, lines[i].Manufacturer);
        EXPECT_EQ(inPlace[i].Category, lines[i].Category);
        EXPECT_EQ(inPlace[i].IsClone, lines[i].IsClone);
    }
}

// Reading the file where it lies must give every record the decoded lines text gives, line
// breaks inside the fields included, whatever the encoding the file turns out to have.
TEST(MachineListImport, ListReadInPlaceGivesTheRecordsOfItsLinesText)
{
    const QByteArray machines = "<mame>\n<machine name=\"ab\">\r\n<description>one\ntwo\rthree\r\nfour\r</description>"
                                "<year>19<![CDATA[\r8]]>\n1</year><manufacturer>A &amp;\n\nB</manufacturer></machine>\r"
                                "<machine name=\"c\nd\" cloneof=\"ab\r\"><description>\xC3\xA9t\xC3\xA9\n</description>"
                                "</machine>\n<machine name=\"last\"><year>1990</year></machine>";
    const QTemporaryDir folder;
    const QList<QByteArray> files = {machines, "\xEF\xBB\xBF" + machines, machines + "\xE9 Latin-1",
                                     "\xEF\xBB\xBF" + machines + "\xFF", QByteArray()};
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = folder.filePath(QStringLiteral("list%1.xml").arg(i));
        test::WriteFile(path, files[i]);
        const ImportedTables inPlace = ImportFile<InPlaceText>(path);
        const ImportedTables lines = ImportFile<TextLines>(path);
        ExpectSameRecords(inPlace.romList, lines.romList);
        ExpectSameRecords(inPlace.filteredRoms, lines.filteredRoms);
        EXPECT_EQ(inPlace.clones.Lines(), lines.clones.Lines());
        EXPECT_EQ(inPlace.originals.Lines(), lines.originals.Lines());
    }
    EXPECT_EQ(ImportFile<InPlaceText>(folder.filePath(QStringLiteral("list0.xml"))).romList[0].GameName,
              QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n"));
}

TEST(MachineListImport, InPlaceTextMapsOnlyUtf8AndKeepsItsTextWhenAFileCannotBeRead)
{
    const QTemporaryDir folder;
    const QString utf8 = folder.filePath(QStringLiteral("utf8.xml"));
    const QString latin1 = folder.filePath(QStringLiteral("latin1.xml"));
    test::WriteFile(utf8, "\xEF\xBB\xBF<a>\xC3\xA9</a>\n");
    test::WriteFile(latin1, "<a>\xE9</a>\n");
    InPlaceText text;
    text.LoadFromFile(utf8);
    EXPECT_TRUE(text.LineBreaksAsWritten());
    EXPECT_EQ(text.Text(), QByteArrayView("<a>\xC3\xA9</a>\n"));
    text.LoadFromFile(latin1);
    EXPECT_FALSE(text.LineBreaksAsWritten());
    EXPECT_EQ(text.Text(), QByteArrayView("<a>\xC3\xA9</a>\r\n"));
    EXPECT_ANY_THROW(text.LoadFromFile(folder.filePath(QStringLiteral("missing.xml"))));
    EXPECT_EQ(text.Text(), QByteArrayView("<a>\xC3\xA9</a>\r\n"));
    text.Clear();
    EXPECT_TRUE(text.Text().isEmpty());
}

// A list rewritten in place while it is held, as a shell's "mame -listxml > list.xml" does,
// would stop the program at the next scan of the old text's tail; the text is read again.
TEST(MachineListImport, InPlaceTextCutShortWhileHeldIsReadAgain)
{
    const QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("list.xml"));
    test::WriteFile(list, QByteArray("<machine name=\"a\">\n</machine>\n").repeated(20000));
    InPlaceText text;
    text.LoadFromFile(list);
    ASSERT_TRUE(text.LineBreaksAsWritten());
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(0));
    file.write("<machine name=\"b\">\n</machine>\n");
    file.close();

    text.ReloadIfCutShort();
    EXPECT_EQ(text.Text(), QByteArrayView("<machine name=\"b\">\n</machine>\n"));
}

TEST(MachineListImport, InPlaceTextCopiesAFileAboutToBeDeleted)
{
    const QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("tempmamelist.xml"));
    test::WriteFile(list, "<a>\n");
    InPlaceText text;
    text.LoadFromFile(list, InPlaceText::Holding::Copy);
    EXPECT_FALSE(text.LineBreaksAsWritten());
    EXPECT_EQ(text.Text(), QByteArrayView("<a>\r\n"));
}

} // namespace
} // namespace quarvel
