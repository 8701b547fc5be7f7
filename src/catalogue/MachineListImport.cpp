#include "catalogue/MachineListImport.h"

#include "catalogue/CategoryTable.h"
#include "markup/TLibXML2.h"
#include "reporting/EventPump.h"
#include "reporting/ProgressSink.h"
#include "util/InPlaceText.h"
#include "util/Stopwatch.h"
#include "util/StringList.h"
#include "util/TextLines.h"
#include "util/XmlEntities.h"

namespace quarvel {

namespace {

constexpr quint32 PumpInterval = 100;

// The scanner hands out texts as written; MAME writes "&amp;", "&lt;", "&gt;" and "&quot;" in
// titles and makers, which the user, the filter and the file names must see decoded.
void FillRecord(Rom& rom, const TLibXML2& scanner, quint32 node, const CategoryTable& categories)
{
    const QString machine = QStringLiteral("machine");
    rom.RomFile = DecodeXmlEntities(scanner.GetSubItemOf(node, machine, QStringLiteral("name")));
    rom.GameName = DecodeXmlEntities(scanner.GetItemCaseOf(node, QStringLiteral("description")));
    rom.Year = DecodeXmlEntities(scanner.GetItemCaseOf(node, QStringLiteral("year")));
    // Decoding never empties a text, so only whether the attribute is there counts.
    rom.IsClone = !scanner.GetSubItemOf(node, machine, QStringLiteral("cloneof")).isEmpty();
    rom.Manufacturer = DecodeXmlEntities(scanner.GetItemCaseOf(node, QStringLiteral("manufacturer")));
    rom.Category = categories.FindCategory(rom.RomFile);
}

void FillTables(const TLibXML2& scanner, const CategoryTable& categories, MachineTables tables,
                ProgressSink& progress, EventPump& pump)
{
    const quint32 count = scanner.Nodes();

    tables.RomList.resize(count);
    tables.FilteredRoms.resize(count);
    progress.SetMaximum(static_cast<int>(count));
    for (quint32 i = 1; i <= count; ++i) {
        if (i % PumpInterval == 0) {
            progress.SetPosition(static_cast<int>(i));
            pump.ProcessEvents();
        }
        Rom& rom = tables.RomList[i - 1];
        FillRecord(rom, scanner, i, categories);
        (rom.IsClone ? tables.CloneNames : tables.OriginalNames).Add(rom.RomFile);
        tables.FilteredRoms[i - 1] = rom;
    }
}

std::int64_t ScanAndFill(TLibXML2& scanner, const CategoryTable& categories, MachineTables tables,
                         ProgressSink& progress, EventPump& pump)
{
    tables.CloneNames.Clear();
    tables.OriginalNames.Clear();
    const Stopwatch stopwatch;
    scanner.SetMainNode(QStringLiteral("machine"), true);
    FillTables(scanner, categories, tables, progress, pump);
    return stopwatch.ElapsedMs();
}

} // namespace

std::int64_t MachineListImport::Parse(const TextLines& xmlLines, const CategoryTable& categories,
                                      MachineTables tables, ProgressSink& progress, EventPump& pump)
{
    TLibXML2 scanner;
    scanner.AssignLines(xmlLines);
    return ScanAndFill(scanner, categories, tables, progress, pump);
}

std::int64_t MachineListImport::Parse(const InPlaceText& xmlText, const CategoryTable& categories,
                                      MachineTables tables, ProgressSink& progress, EventPump& pump)
{
    TLibXML2 scanner;
    scanner.AssignInPlace(xmlText);
    return ScanAndFill(scanner, categories, tables, progress, pump);
}

QString MachineListImport::SummaryLine(qsizetype originals, qsizetype clones, std::int64_t parseMs)
{
    return QStringLiteral("Roms in XML: %1 [Originals: %2, Clones: %3] [parsed in %4 ms]")
        .arg(originals + clones)
        .arg(originals)
        .arg(clones)
        .arg(parseMs);
}

} // namespace quarvel
