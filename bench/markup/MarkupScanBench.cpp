// Times the machine-list reading of the import: an extended scan of "machine" and, for
// every node, LoadNode with the five reads the import makes, against reading the list file
// and looking at every byte once.
#include "support/Floor.h"
#include "support/MachineList.h"
#include "support/Options.h"
#include "support/PeakMemory.h"
#include "support/Timing.h"
#include "markup/TLibXML2.h"
#include "util/TextLines.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr const char* Usage =
    "Usage: bench_markup_scan [listxml.xml] [--runs N]\n"
    "  Times the scan of every machine and the five reads of each against a floor.\n"
    "  Without a file it reads the list of /usr/games/mame (made once into the cache folder),\n"
    "  or else a synthetic list of the same size.\n";

struct ReadTotals {
    quint32 machines = 0;
    quint32 clones = 0;
    qsizetype textChars = 0;
};

ReadTotals ReadEveryMachine(quarvel::TLibXML2& doc)
{
    ReadTotals totals;
    for (quint32 k = 1; k <= doc.Nodes(); ++k) {
        doc.LoadNode(k);
        const QString name = doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("name"));
        const QString cloneOf = doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("cloneof"));
        const QString description = doc.GetItemCase(QStringLiteral("description"));
        const QString year = doc.GetItemCase(QStringLiteral("year"));
        const QString manufacturer = doc.GetItemCase(QStringLiteral("manufacturer"));
        ++totals.machines;
        if (!cloneOf.isEmpty())
            ++totals.clones;
        totals.textChars += name.size() + description.size() + year.size() + manufacturer.size();
    }
    return totals;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace quarvel::bench;
    QCoreApplication application(argc, argv);
    const Options options(QCoreApplication::arguments(), Usage);
    if (options.AnswerHelp())
        return 0;
    const QString path = options.Plain().isEmpty() ? DefaultMachineList() : options.Plain();
    if (!QFileInfo(path).isReadable()) {
        std::printf("machine list %s is absent: nothing to time\n", qPrintable(path));
        return 0;
    }

    const auto loadStart = Clock::now();
    quarvel::TLibXML2 doc;
    {
        quarvel::TextLines lines;
        lines.LoadFromFile(path);
        doc.AssignLines(lines);
    }
    const double loadMs = MsSince(loadStart);
    const qint64 fileBytes = QFileInfo(path).size();

    // The peak is read before the floor's rounds, whose buffer would add a second copy of the file.
    doc.SetMainNode(QStringLiteral("machine"), true);
    ReadTotals totals = ReadEveryMachine(doc);
    const long peakKiB = PeakResidentKiB();
    const int runs = options.Runs(7);
    const auto samples = RunInRounds(runs, {Timed([&] { ReadAndScan(path); }),
                                            Timed([&] { doc.SetMainNode(QStringLiteral("machine"), true); }),
                                            Timed([&] { totals = ReadEveryMachine(doc); })});

    std::printf("markup scan of %s\n", qPrintable(path));
    std::printf("  %.1f MiB list, %.1f MiB text: %u machines (%u clones), %lld characters read; loaded once in %.0f ms\n",
                MiB(fileBytes), MiB(doc.Data().size()), totals.machines, totals.clones,
                static_cast<long long>(totals.textChars), loadMs);
    PrintColumnHeads(runs);
    PrintRow("floor: read + memchr of the list", samples[0], fileBytes, samples[0]);
    PrintRow("extended scan of \"machine\"", samples[1], fileBytes, samples[0]);
    PrintRow("LoadNode + 5 reads of every machine", samples[2], fileBytes, samples[0]);
    // The sum of each round's two, not of two best cases that came from different rounds.
    PrintRow("scan + reads", samples[1] + samples[2], fileBytes, samples[0]);
    std::printf("  peak resident memory %.1f MiB = %.2f x the list file\n", double(peakKiB) / 1024.0,
                double(peakKiB) * 1024.0 / double(fileBytes));
    return 0;
}
