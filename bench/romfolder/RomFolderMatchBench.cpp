// Times the source scan and the match over a folder of 45,000 small archives and a list of
// 45,000 machines, most of which have an archive there. The folder is made in a temporary
// place and removed at the end.
// Usage: bench_romfolder_match [runs]
#include "catalogue/Rom.h"
#include "romfolder/SourceFolder.h"
#include "reporting/EventPump.h"
#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"
#include "util/StringList.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

namespace {

// These passes run without a window.
quarvel::NoEventPump noPump;

constexpr int Archives = 45000;
constexpr int MachinesWithout = 3000; // machines of the list with no archive in the folder
constexpr int UpperCaseEvery = 100;   // one archive in this many is named in capitals

class LastLineLog : public quarvel::LogSink {
public:
    void AppendLine(const QString& line) override { last = line; }
    QString last;
};

class NoProgress : public quarvel::ProgressSink {
public:
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
};

// Names shaped like MAME's short names: a letter, then letters and digits, 3 to 8 in all.
std::vector<QString> MachineNames(int count, std::mt19937& random)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz";
    static const char tail[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> length(3, 8);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> tailChar(0, 35);
    QSet<QString> seen;
    std::vector<QString> names;
    while (int(names.size()) < count) {
        QString name(QChar::fromLatin1(letters[letter(random)]));
        for (int i = length(random); i > 1; --i)
            name += QChar::fromLatin1(tail[tailChar(random)]);
        if (!seen.contains(name)) {
            seen.insert(name);
            names.push_back(name);
        }
    }
    return names;
}

struct Figures {
    double minimum;
    double median;
};

Figures Time(int runs, const std::function<void()>& operation)
{
    operation(); // warms the caches the first run would otherwise pay for alone
    std::vector<double> timesMs;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        operation();
        timesMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(timesMs.begin(), timesMs.end());
    return {timesMs.front(), timesMs[timesMs.size() / 2]};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    const QString source = dir.path() + QStringLiteral("/");

    std::mt19937 random(20240901);
    const std::vector<QString> names = MachineNames(Archives + MachinesWithout, random);
    std::uniform_int_distribution<int> archiveSize(1024, 4096);
    const QByteArray content(4096, 'z');
    for (int i = 0; i < Archives; ++i) {
        const QString fileName = i % UpperCaseEvery == 0 ? names[std::size_t(i)].toUpper() + QStringLiteral(".7Z")
                                                         : names[std::size_t(i)] + QStringLiteral(".7z");
        QFile file(source + fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(content.left(archiveSize(random))) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }

    // The list leaves out the first MachinesWithout archives and adds as many machines without one.
    quarvel::RomTable roms;
    for (std::size_t i = MachinesWithout; i < names.size(); ++i) {
        quarvel::Rom rom;
        rom.RomFile = names[i];
        roms.push_back(rom);
    }
    std::sort(roms.begin(), roms.end(),
              [](const quarvel::Rom& a, const quarvel::Rom& b) { return a.RomFile < b.RomFile; });

    LastLineLog log;
    NoProgress progress;
    quarvel::StringList sourceFiles;
    const Figures scan = Time(runs, [&] {
        quarvel::ScanSourceFolder(source, QStringLiteral("7z"), sourceFiles, log, noPump);
    });
    const QString scanLine = log.last;
    const Figures match = Time(runs, [&] {
        quarvel::MatchRomFiles(roms, source, QStringLiteral("7z"), log, progress, noPump);
    });
    const auto inDisk = std::count_if(roms.begin(), roms.end(), [](const quarvel::Rom& rom) { return rom.InDisk; });

    std::printf("source scan and match over %d archives and %zu machines\n", Archives, roms.size());
    std::printf("  scan:  \"%s\"\n", qPrintable(scanLine));
    std::printf("  match: %lld machines marked; last log line \"%s\"\n", static_cast<long long>(inDisk),
                qPrintable(log.last));
    std::printf("  %d runs each after one warm-up run\n", runs);
    std::printf("  scan:  min %.2f ms, median %.2f ms\n", scan.minimum, scan.median);
    std::printf("  match: min %.2f ms, median %.2f ms (target: under 150 ms)\n", match.minimum, match.median);
    return 0;
}
