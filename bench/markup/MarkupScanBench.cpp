// Times the machine-list reading of the import: an extended scan of "machine" and, for
// every node, LoadNode with the five reads the import makes.
// Usage: bench_markup_scan [listxml.xml]   (without a path: a MAME-shaped document built in memory)
#include "support/PeakMemory.h"
#include "markup/TLibXML2.h"
#include "util/TextLines.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int MachineCount = 45000;
constexpr qsizetype MachineBytes = 6000;

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void AppendMachine(QByteArray& doc, int i)
{
    const qsizetype begin = doc.size();
    const bool clone = i % 3 != 0;
    const int parent = i - i % 3;
    doc += QStringLiteral("\t<machine name=\"m%1\" sourcefile=\"drivers/d%2.cpp\"").arg(i, 5, 10, QChar(u'0')).arg(i % 900).toUtf8();
    if (clone)
        doc += QStringLiteral(" cloneof=\"m%1\" romof=\"m%1\"").arg(parent, 5, 10, QChar(u'0')).toUtf8();
    doc += ">\r\n";
    doc += QStringLiteral("\t\t<description>%1 Machine %2 (set %3)</description>\r\n")
               .arg(i % 50 == 0 ? QString::fromUtf8("Pok\xC3\xA9mon") : QStringLiteral("Arcade"))
               .arg(i)
               .arg(i % 3 + 1)
               .toUtf8();
    doc += QStringLiteral("\t\t<year>19%1</year>\r\n").arg(70 + i % 30).toUtf8();
    doc += QStringLiteral("\t\t<manufacturer>Maker %1 &amp; Co</manufacturer>\r\n").arg(i % 400).toUtf8();
    doc += "\t\t<chip type=\"cpu\" tag=\"maincpu\" name=\"Zilog Z80\" clock=\"3072000\"/>\r\n"
           "\t\t<chip type=\"audio\" tag=\"mono\" name=\"Speaker\"/>\r\n"
           "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\" "
           "pixclock=\"6144000\" htotal=\"384\" hbend=\"0\" hbstart=\"288\" vtotal=\"264\" vbend=\"0\" vbstart=\"224\" />\r\n"
           "\t\t<sound channels=\"1\"/>\r\n"
           "\t\t<input players=\"2\" coins=\"2\">\r\n"
           "\t\t\t<control type=\"joy\" player=\"1\" ways=\"4\"/>\r\n"
           "\t\t\t<control type=\"joy\" player=\"2\" ways=\"4\"/>\r\n"
           "\t\t</input>\r\n"
           "\t\t<dipswitch name=\"Coinage\" tag=\"DSW1\" mask=\"3\">\r\n"
           "\t\t\t<diplocation name=\"SW\" number=\"1\"/>\r\n"
           "\t\t\t<dipvalue name=\"2 Coins/1 Credit\" value=\"3\"/>\r\n"
           "\t\t\t<dipvalue name=\"1 Coin/1 Credit\" value=\"1\" default=\"yes\"/>\r\n"
           "\t\t\t<dipvalue name=\"Free Play\" value=\"0\"/>\r\n"
           "\t\t</dipswitch>\r\n";
    const QByteArray footer = "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\r\n\t</machine>\r\n";
    for (int rom = 0; doc.size() - begin + footer.size() < MachineBytes; ++rom) {
        doc += QStringLiteral("\t\t<rom name=\"m%1.%2\" size=\"4096\" crc=\"%3\" sha1=\"%4%4%4%4%4\" region=\"maincpu\" "
                              "offset=\"%5\"/>\r\n")
                   .arg(i)
                   .arg(rom)
                   .arg(static_cast<uint>(i * 2654435761u + static_cast<uint>(rom)), 8, 16, QChar(u'0'))
                   .arg(static_cast<uint>(i + rom), 8, 16, QChar(u'0'))
                   .arg(rom * 0x1000, 0, 16)
                   .toUtf8();
    }
    doc += footer;
}

QByteArray SyntheticDocument()
{
    QByteArray doc;
    doc.reserve(qsizetype(MachineCount) * (MachineBytes + 200) + 1000);
    doc += "<?xml version=\"1.0\"?>\r\n<mame build=\"bench\" debug=\"no\" mameconfig=\"10\">\r\n";
    for (int i = 0; i < MachineCount; ++i)
        AppendMachine(doc, i);
    doc += "</mame>\r\n";
    return doc;
}

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
    QCoreApplication application(argc, argv);
    quarvel::TLibXML2 doc;
    QString source;
    const auto loadStart = std::chrono::steady_clock::now();
    if (argc > 1) {
        source = QString::fromLocal8Bit(argv[1]);
        quarvel::TextLines lines;
        lines.LoadFromFile(source);
        doc.AssignLines(lines);
    } else {
        source = QStringLiteral("synthetic document");
        doc.SetData(SyntheticDocument());
    }
    const double loadMs = MsSince(loadStart);
    const double documentMiB = double(doc.Data().size()) / (1024.0 * 1024.0);

    constexpr int Runs = 3;
    std::vector<double> scanMs;
    std::vector<double> readMs;
    ReadTotals totals;
    for (int run = 0; run < Runs; ++run) {
        const auto scanStart = std::chrono::steady_clock::now();
        doc.SetMainNode(QStringLiteral("machine"), true);
        scanMs.push_back(MsSince(scanStart));
        const auto readStart = std::chrono::steady_clock::now();
        totals = ReadEveryMachine(doc);
        readMs.push_back(MsSince(readStart));
    }
    std::sort(scanMs.begin(), scanMs.end());
    std::sort(readMs.begin(), readMs.end());

    const long peakKiB = quarvel::bench::PeakResidentKiB();
    std::printf("markup scan of %s\n", qPrintable(source));
    std::printf("  document %.1f MiB, %u machines (%u clones), %lld characters read, loaded in %.0f ms\n", documentMiB,
                totals.machines, totals.clones, static_cast<long long>(totals.textChars), loadMs);
    std::printf("  extended scan of \"machine\": min %.1f ms, max %.1f ms over %d runs\n", scanMs.front(), scanMs.back(),
                Runs);
    std::printf("  LoadNode + 5 reads of every machine: min %.1f ms, max %.1f ms\n", readMs.front(), readMs.back());
    std::printf("  scan + reads: %.1f ms (target: under 400 ms for 270 MB / 45,000 machines)\n",
                scanMs.front() + readMs.front());
    std::printf("  peak resident memory %.1f MiB = %.2f x the document (target: at most 2 x)\n", double(peakKiB) / 1024.0,
                double(peakKiB) / 1024.0 / documentMiB);
    return 0;
}
