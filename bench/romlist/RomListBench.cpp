// Times the Roms List refilter over a whole machine table, every archive present and every
// category checked, against one plain pass over the same table; and times loading a
// 45,000-machine catver.ini against one plain read of the same file.
#include "support/Options.h"
#include "support/Sinks.h"
#include "catalogue/CategoryListFile.h"
#include "catalogue/CategoryTable.h"
#include "catalogue/MachineListImport.h"
#include "reporting/EventPump.h"
#include "romlist/RomFilter.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int RefilterRuns = 25;
constexpr int LoadRuns = 11;
constexpr int SyntheticMachines = 45294; // MAME 0.251's list
constexpr int CatverMachines = 45000;

const char* const Usage =
    "Usage: bench_romlist [--listxml FILE] [--categories FILE]\n"
    "  --listxml FILE     a machine list from 'mame -listxml' (default: a synthetic table of 45,294\n"
    "                     machines shaped like MAME's)\n"
    "  --categories FILE  the category list the machines get their categories from (default: the\n"
    "                     shared category-0.214.ini when present)\n"
    "Prints min / median / max in ms of every refilter (25 runs) and of a 45,000-machine catver.ini\n"
    "load (11 runs), each beside a floor measured in the same run.\n";

using quarvel::bench::NoProgress;

double TimeMs(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    double min, median, max;
};

Figures Measure(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(TimeMs(work));
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times.back()};
}

void Print(const char* label, const Figures& figures, const Figures& floor)
{
    std::printf("  %-34s min %7.2f  median %7.2f  max %7.2f ms   (%.1fx the floor)\n", label, figures.min,
                figures.median, figures.max, figures.median / floor.median);
}

quarvel::RomTable SyntheticTable(const quarvel::CategoryTable& categories)
{
    static const char* const makers[] = {"Namco", "Capcom", "Konami", "Sega", "Taito", "bootleg", "Data East"};
    const std::vector<quarvel::Genres>& genres = categories.GenreList();
    quarvel::RomTable roms(SyntheticMachines);
    for (int i = 0; i < SyntheticMachines; ++i) {
        quarvel::Rom& rom = roms[std::size_t(i)];
        rom.RomFile = QStringLiteral("m%1").arg(i, 5, 36, QLatin1Char('0'));
        rom.GameName = QStringLiteral("Synthetic Game %1 (World, rev %2)").arg(i).arg(i % 7);
        rom.Year = QString::number(1971 + i % 50);
        rom.Manufacturer = QString::fromLatin1(makers[i % 7]);
        rom.Category = genres.empty() || i % 10 == 0 ? QString() : genres[std::size_t(i) % genres.size()].Category;
        rom.IsClone = i % 3 == 0;
    }
    return roms;
}

quarvel::RomTable ImportedTable(const QString& listXml, const quarvel::CategoryTable& categories)
{
    quarvel::TextLines lines;
    lines.LoadFromFile(listXml);
    quarvel::RomTable roms;
    quarvel::RomTable filtered;
    quarvel::StringList clones;
    quarvel::StringList originals;
    NoProgress progress;
    quarvel::NoEventPump pump;
    quarvel::MachineListImport::Parse(lines, categories, {roms, filtered, clones, originals}, progress, pump);
    return roms;
}

void BenchRefilter(quarvel::RomTable roms, const quarvel::StringList& categoryNames)
{
    for (quarvel::Rom& rom : roms) {
        rom.InDisk = true;
        rom.Size = 1 << 20;
    }
    quarvel::RomFilterInputs inputs;
    for (const QString& text : quarvel::RomFilter::CategoryItemTexts(categoryNames))
        inputs.CategoryItems.push_back({text, true});

    quarvel::RomTable rows;
    std::printf("refilter over %zu machines, %zu check-list items\n", roms.size(), inputs.CategoryItems.size());
    const Figures floor = Measure(RefilterRuns, [&] {
        rows.clear();
        for (const quarvel::Rom& rom : roms)
            rows.push_back(rom);
    });
    Print("floor: one plain copying pass", floor, floor);
    Print("first refilter (builds side table)", Measure(5, [&] {
              quarvel::RomFilter fresh;
              fresh.Refilter(roms, inputs, rows);
          }),
          floor);

    quarvel::RomFilter filter;
    const auto refilter = [&](const char* label, const QString& text, bool clones) {
        inputs.FilterText = text;
        inputs.ShowClones = clones;
        qsizetype found = 0;
        const Figures figures = Measure(RefilterRuns, [&] { found = filter.Refilter(roms, inputs, rows); });
        Print(label, figures, floor);
        std::printf("  %-34s %lld rows\n", "", static_cast<long long>(found));
    };
    refilter("empty filter", QString(), false);
    refilter("one letter \"a\"", QStringLiteral("a"), false);
    refilter("matches nothing \"qqzx\"", QStringLiteral("qqzx"), false);
    refilter("clones switch on, empty filter", QString(), true);
}

QString WriteCatver(const QString& folder)
{
    const QString path = folder + QStringLiteral("/catver.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    static const char* const genres[] = {"Maze", "Shooter", "Platform", "Sports", "Driving", "Puzzle", "Fighter"};
    QByteArray text = ";; catver.ini 0.251 / 45000 machines ;;\r\n\r\n[Category]\r\n";
    for (int i = 0; i < CatverMachines; ++i)
        text += QByteArray("m") + QByteArray::number(i, 36) + '=' + genres[i % 7] + " / Sub " +
                QByteArray::number(i % 60) + (i % 11 == 0 ? " * Mature *" : "") + "\r\n";
    text += "\r\n[VerAdded]\r\n";
    for (int i = 0; i < CatverMachines; ++i)
        text += QByteArray("m") + QByteArray::number(i, 36) + "=0." + QByteArray::number(i % 251) + "\r\n";
    file.write(text);
    return path;
}

void BenchCatverLoad()
{
    QTemporaryDir folder;
    const QString path = WriteCatver(folder.path());
    if (path.isEmpty()) {
        std::printf("cannot write the catver.ini\n");
        return;
    }
    std::printf("catver.ini load, %d machines, %lld bytes\n", CatverMachines,
                static_cast<long long>(QFile(path).size()));
    const Figures floor = Measure(LoadRuns, [&] {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
    });
    Print("floor: one plain read of the file", floor, floor);
    quarvel::CategoryTable table;
    quarvel::StringList names = quarvel::StringList::SortedUnique();
    Print("load (read, detect, build)", Measure(LoadRuns, [&] { quarvel::CategoryListFile::Load(path, table, names); }),
          floor);
    std::printf("  %-34s %lld categories, %zu machines\n", "", static_cast<long long>(names.Count()),
                table.GenreList().size());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const quarvel::bench::Options options(application.arguments(), Usage);
    if (options.AnswerHelp())
        return 0;
    const QString listXml = options.Value(QStringLiteral("--listxml"), QString());
    const QString categoryList =
        options.Value(QStringLiteral("--categories"), QStringLiteral(QUARVEL_SHARED_DATA_DIR "/category-0.214.ini"));

    quarvel::CategoryTable categories;
    quarvel::StringList names = quarvel::StringList::SortedUnique();
    try {
        quarvel::CategoryListFile::Load(categoryList, categories, names);
    } catch (const std::exception& error) {
        std::printf("no categories (%s): every machine under -Missing Category-\n", error.what());
    }
    const bool imported = !listXml.isEmpty();
    std::printf("machines: %s\n", imported ? qPrintable(listXml) : "synthetic");
    BenchRefilter(imported ? ImportedTable(listXml, categories) : SyntheticTable(categories), names);
    BenchCatverLoad();
    return 0;
}
