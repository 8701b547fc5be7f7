// Times a whole machine-list import (category table, read and decode, scan, records with
// categories, name lists) and the folder match on its own, against a floor (reading the list
// into a fresh buffer and one memchr pass) and against two pugixml peers that fill the same
// five fields: the default load_file, and load_buffer_inplace with parse_minimal.
// Every run of every side is a child process of its own, so that its peak memory is its own.
#include "support/CategoryList.h"
#include "support/Floor.h"
#include "support/HeadlessSession.h"
#include "support/MachineList.h"
#include "support/Options.h"
#include "support/PeakMemory.h"
#include "support/Timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifdef QUARVEL_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

#include <algorithm>
#include <cstdio>

namespace {

using namespace quarvel::bench;

constexpr const char* Usage =
    "Usage: bench_import [listxml.xml] [--runs N] [--scaling]\n"
    "  Times the whole import and the folder match against a floor and two pugixml peers.\n"
    "  Without a file it reads the list of /usr/games/mame (made once into the cache folder),\n"
    "  or else a synthetic list of the same size.\n"
    "  --scaling  also runs a 10 % slice and a doubled list, and prints the time per MiB of each\n";

// What every side reads: the machine list, the compressed category list standing in for the
// program's embedded one, and a folder of archives for the match.
struct Workload {
    QString list;
    QString categories;
    QString archives;
};

void ImportMachineList(const Workload& work, const QTemporaryDir& emptyFolder, quarvel::Session& session)
{
    quarvel::bench::ImportMachineList(work.list, work.categories, emptyFolder, session);
}

void MatchArchives(const Workload& work, quarvel::Session& session)
{
    session.Settings().SourceFolder = work.archives + u'/';
    session.MatchRomFiles();
}

// The children: each times one side once and prints "name=value" figures.

void PrintChildFigures(double ms, std::size_t machines, std::size_t clones)
{
    std::printf("ms=%.3f machines=%zu clones=%zu peak_kb=%ld\n", ms, machines, clones, PeakResidentKiB());
}

int ChildFloor(const Workload& work)
{
    const auto start = Clock::now();
    ReadAndScan(work.list);
    PrintChildFigures(MsSince(start), 0, 0);
    return 0;
}

int ChildImport(const Workload& work)
{
    HeadlessSession headless;
    const QTemporaryDir emptyFolder;
    const auto start = Clock::now();
    ImportMachineList(work, emptyFolder, headless.session);
    const double ms = MsSince(start);
    PrintChildFigures(ms, headless.session.RomList().size(), std::size_t(headless.session.CloneNames().Count()));
    return 0;
}

int ChildMatch(const Workload& work)
{
    HeadlessSession headless;
    const quarvel::Session& session = headless.session;
    const QTemporaryDir emptyFolder;
    ImportMachineList(work, emptyFolder, headless.session);
    const auto start = Clock::now();
    MatchArchives(work, headless.session);
    const double ms = MsSince(start);
    const auto present = std::count_if(session.RomList().begin(), session.RomList().end(),
                                       [](const quarvel::Rom& rom) { return rom.InDisk; });
    PrintChildFigures(ms, session.RomList().size(), std::size_t(session.CloneNames().Count()));
    std::printf("present=%zu\n", std::size_t(present));
    return 0;
}

#ifdef QUARVEL_HAVE_PUGIXML
constexpr bool HavePugixml = true;

void FillFiveFields(const pugi::xml_document& document, quarvel::RomTable& roms)
{
    for (const pugi::xml_node machine : document.child("mame").children("machine")) {
        quarvel::Rom& rom = roms.emplace_back();
        rom.RomFile = QString::fromUtf8(machine.attribute("name").value());
        rom.GameName = QString::fromUtf8(machine.child_value("description"));
        rom.Year = QString::fromUtf8(machine.child_value("year"));
        rom.Manufacturer = QString::fromUtf8(machine.child_value("manufacturer"));
        rom.IsClone = *machine.attribute("cloneof").value() != '\0';
    }
}

std::size_t CountClones(const quarvel::RomTable& roms)
{
    return std::size_t(std::count_if(roms.begin(), roms.end(), [](const quarvel::Rom& rom) { return rom.IsClone; }));
}

int ChildPugixmlDefault(const Workload& work)
{
    quarvel::RomTable roms;
    const auto start = Clock::now();
    pugi::xml_document document;
    if (!document.load_file(QFile::encodeName(work.list).constData()))
        return 1;
    FillFiveFields(document, roms);
    PrintChildFigures(MsSince(start), roms.size(), CountClones(roms));
    return 0;
}

// The fastest road pugixml offers: it parses the file's own buffer where it lies and skips
// entity decoding, end-of-line normalisation and everything else it can.
int ChildPugixmlTuned(const Workload& work)
{
    quarvel::RomTable roms;
    const auto start = Clock::now();
    QFile file(work.list);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QByteArray buffer = file.readAll();
    pugi::xml_document document;
    if (!document.load_buffer_inplace(buffer.data(), std::size_t(buffer.size()), pugi::parse_minimal))
        return 1;
    FillFiveFields(document, roms);
    PrintChildFigures(MsSince(start), roms.size(), CountClones(roms));
    return 0;
}
#else
constexpr bool HavePugixml = false;

int ChildPugixmlDefault(const Workload&)
{
    return 1;
}

int ChildPugixmlTuned(const Workload&)
{
    return 1;
}
#endif

int RunChild(const QString& side, const Workload& work)
{
    if (side == QStringLiteral("floor"))
        return ChildFloor(work);
    if (side == QStringLiteral("import"))
        return ChildImport(work);
    if (side == QStringLiteral("match"))
        return ChildMatch(work);
    if (side == QStringLiteral("pugixml"))
        return ChildPugixmlDefault(work);
    if (side == QStringLiteral("pugixml-tuned"))
        return ChildPugixmlTuned(work);
    return 2;
}

// The parent: starts a child for every run of every side and gathers what they print.

class SideInChild {
public:
    SideInChild(QString side, const Workload& work)
        : side_(std::move(side))
        , work_(work)
    {
    }

    // One run in a fresh child; returns the time the child measured, or 0 when it failed.
    double RunOnce()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), side_, work_.list, work_.categories, work_.archives});
        const bool finished = child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit;
        if (!finished || child.exitCode() != 0)
            std::fprintf(stderr, "the %s side failed on %s\n", qPrintable(side_), qPrintable(work_.list));
        last_.clear();
        static const QRegularExpression pair(QStringLiteral("(\\w+)=([\\d.]+)"));
        for (auto it = pair.globalMatch(QString::fromUtf8(child.readAllStandardOutput())); it.hasNext();) {
            const auto match = it.next();
            last_[match.captured(1)] = match.captured(2).toDouble();
        }
        peakKiB_ = std::max(peakKiB_, last_.value(QStringLiteral("peak_kb")));
        return last_.value(QStringLiteral("ms"));
    }

    Side AsSide()
    {
        return [this] { return RunOnce(); };
    }

    double Figure(const char* name) const { return last_.value(QString::fromLatin1(name)); }
    double PeakMiB() const { return peakKiB_ / 1024.0; }

private:
    QString side_;
    Workload work_;
    QMap<QString, double> last_;
    double peakKiB_ = 0.0;
};

struct SideResult {
    Samples ms;
    double peakMiB = 0.0;
};

struct ListResult {
    QString list;
    qint64 bytes = 0;
    double machines = 0;
    double clones = 0;
    double present = 0;
    SideResult floor;
    SideResult import;
    SideResult match;
    SideResult pugixml;
    SideResult pugixmlTuned;
};

ListResult TimeList(const Workload& work, int runs)
{
    std::vector<SideInChild> children;
    for (const char* side : {"floor", "import", "match", "pugixml", "pugixml-tuned"})
        children.emplace_back(QString::fromLatin1(side), work);
    std::vector<Side> sides;
    for (std::size_t i = 0; i < (HavePugixml ? children.size() : 3); ++i)
        sides.push_back(children[i].AsSide());
    std::vector<Samples> samples = RunInRounds(runs, sides);
    samples.resize(children.size());

    ListResult result;
    result.list = work.list;
    result.bytes = QFileInfo(work.list).size();
    result.machines = children[1].Figure("machines");
    result.clones = children[1].Figure("clones");
    result.present = children[2].Figure("present");
    SideResult* const sideResults[] = {&result.floor, &result.import, &result.match, &result.pugixml, &result.pugixmlTuned};
    for (std::size_t i = 0; i < children.size(); ++i)
        *sideResults[i] = {samples[i], children[i].PeakMiB()};
    return result;
}

void PrintPeak(const char* label, const SideResult& side, qint64 bytes)
{
    std::printf("  %-38s %8.1f MiB = %.2f x the list file\n", label, side.peakMiB, side.peakMiB / MiB(bytes));
}

void PrintListResult(const ListResult& result, int runs)
{
    std::printf("\nmachine list %s: %.1f MiB, %.0f machines (%.0f clones); %.0f of them have an archive\n",
                qPrintable(result.list), MiB(result.bytes), result.machines, result.clones, result.present);
    PrintColumnHeads(runs);
    PrintRow("floor: read + memchr of the list", result.floor.ms, result.bytes, result.floor.ms);
    PrintRow("whole import, categories included", result.import.ms, result.bytes, result.floor.ms);
    PrintRow("folder match on its own", result.match.ms, result.bytes, result.floor.ms);
    if (HavePugixml) {
        PrintRow("pugixml load_file, five fields", result.pugixml.ms, result.bytes, result.floor.ms);
        PrintRow("pugixml in place, parse_minimal, five", result.pugixmlTuned.ms, result.bytes, result.floor.ms);
        std::printf("  speed ratios, median over median (above 1: the import is faster)\n");
        PrintRatio("pugixml load_file / whole import", result.pugixml.ms, result.import.ms);
        PrintRatio("pugixml in place + parse_minimal / whole import", result.pugixmlTuned.ms, result.import.ms);
    } else {
        std::printf("  pugixml was not found at build time: no peers\n");
    }
    std::printf("  peak resident memory, the largest of the runs\n");
    PrintPeak("floor", result.floor, result.bytes);
    PrintPeak("whole import", result.import, result.bytes);
    PrintPeak("whole import, then the match", result.match, result.bytes);
    if (HavePugixml) {
        PrintPeak("pugixml load_file", result.pugixml, result.bytes);
        PrintPeak("pugixml in place + parse_minimal", result.pugixmlTuned, result.bytes);
    }
}

QString WriteCompressedCategories(const QString& path)
{
    QFile list(SharedCategoryList());
    if (!list.open(QIODevice::ReadOnly))
        std::printf("category list %s is absent: the import runs without categories\n", qPrintable(list.fileName()));
    QFile packed(path);
    if (packed.open(QIODevice::WriteOnly))
        packed.write(ZlibCompress(list.isOpen() ? list.readAll() : QByteArray()));
    return path;
}

// The list's machines cut to those in its first tenth, or written twice over, to show how
// the import grows with the list.
QString WriteScaledList(const QString& list, const QString& path, bool doubled)
{
    QFile source(list);
    if (!source.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = source.readAll();
    if (!text.contains("<machine "))
        return list;
    const qsizetype firstMachine = text.lastIndexOf('\n', text.indexOf("<machine ")) + 1;
    const qsizetype afterMachines = text.indexOf('\n', text.lastIndexOf("</machine>")) + 1;
    const QByteArrayView head(text.constData(), firstMachine);
    const QByteArrayView machines(text.constData() + firstMachine, afterMachines - firstMachine);
    const QByteArrayView tail(text.constData() + afterMachines, text.size() - afterMachines);
    const qsizetype machineAfterTenth = machines.indexOf("<machine ", machines.size() / 10);
    const qsizetype cut = machineAfterTenth < 0 ? machines.size()
                                                : machines.sliced(0, machineAfterTenth).lastIndexOf('\n') + 1;
    QFile scaled(path);
    if (!scaled.open(QIODevice::WriteOnly))
        return {};
    scaled.write(head.data(), head.size());
    scaled.write(machines.data(), doubled ? machines.size() : cut);
    if (doubled)
        scaled.write(machines.data(), machines.size());
    scaled.write(tail.data(), tail.size());
    return path;
}

void PrintScaling(const std::vector<ListResult>& results)
{
    std::printf("\nscaling: median ms per MiB of list (equal figures down a column mean linear growth;\n"
                "  the match walks the same archive folder for every list, so it grows with the folder)\n");
    std::printf("  %10s %10s %10s %10s %10s %10s %10s\n", "MiB", "machines", "floor", "import", "match", "pugixml",
                "in place");
    for (const ListResult& result : results) {
        const double mib = MiB(result.bytes);
        std::printf("  %10.1f %10.0f %10.2f %10.2f %10.2f %10.2f %10.2f\n", mib, result.machines,
                    result.floor.ms.Median() / mib, result.import.ms.Median() / mib, result.match.ms.Median() / mib,
                    result.pugixml.ms.Median() / mib, result.pugixmlTuned.ms.Median() / mib);
    }
}

int RunParent(const Options& options)
{
    const QString list = options.Plain().isEmpty() ? DefaultMachineList() : options.Plain();
    if (!QFileInfo(list).isReadable()) {
        std::printf("machine list %s is absent: nothing to time\n", qPrintable(list));
        return 0;
    }
    QTemporaryDir work;
    const QString categories = WriteCompressedCategories(work.filePath(QStringLiteral("genres.z")));
    const QString archives = MakeArchiveFolder(work.filePath(QStringLiteral("archives")), list, categories);

    const int runs = options.Runs(5);
    if (!options.Has(QStringLiteral("--scaling"))) {
        PrintListResult(TimeList({list, categories, archives}, runs), runs);
        return 0;
    }
    const QString slice = WriteScaledList(list, work.filePath(QStringLiteral("slice.xml")), false);
    const QString doubled = WriteScaledList(list, work.filePath(QStringLiteral("doubled.xml")), true);
    std::vector<ListResult> results;
    for (const QString& scaled : {slice, list, doubled}) {
        results.push_back(TimeList({scaled, categories, archives}, runs));
        PrintListResult(results.back(), runs);
    }
    PrintScaling(results);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 6 && arguments[1] == QStringLiteral("--child"))
        return RunChild(arguments[2], {arguments[3], arguments[4], arguments[5]});
    const Options options(arguments, Usage);
    if (options.AnswerHelp())
        return 0;
    return RunParent(options);
}
