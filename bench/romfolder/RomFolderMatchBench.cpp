// Times the source scan and the match over a folder of 45,000 small archives and a list of
// 45,000 machines, most of which have an archive there, against listing the folder with
// each entry's size. The folder is made in a temporary place and removed at the end.
#include "support/Floor.h"
#include "support/Options.h"
#include "support/Sinks.h"
#include "support/Timing.h"
#include "catalogue/Rom.h"
#include "romfolder/SourceFolder.h"
#include "reporting/EventPump.h"
#include "util/StringList.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

namespace {

constexpr const char* Usage = "Usage: bench_romfolder_match [--runs N]\n"
                              "  Times the source scan and the match over a made-up folder of 45,000 archives\n"
                              "  against a floor: one listing of the folder with every entry's size.\n";

// These passes run without a window.
quarvel::NoEventPump noPump;

constexpr int Archives = 45000;
constexpr int MachinesWithout = 3000; // machines of the list with no archive in the folder
constexpr int UpperCaseEvery = 100;   // one archive in this many is named in capitals

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

bool WriteArchives(const QString& source, const std::vector<QString>& names, std::mt19937& random)
{
    std::uniform_int_distribution<int> archiveSize(1024, 4096);
    const QByteArray content(4096, 'z');
    for (int i = 0; i < Archives; ++i) {
        const QString fileName = i % UpperCaseEvery == 0 ? names[std::size_t(i)].toUpper() + QStringLiteral(".7Z")
                                                         : names[std::size_t(i)] + QStringLiteral(".7z");
        QFile file(source + fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(content.left(archiveSize(random))) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return false;
        }
    }
    return true;
}

// The list leaves out the first MachinesWithout archives and adds as many machines without one.
quarvel::RomTable SortedList(const std::vector<QString>& names)
{
    quarvel::RomTable roms;
    for (std::size_t i = MachinesWithout; i < names.size(); ++i) {
        quarvel::Rom rom;
        rom.RomFile = names[i];
        roms.push_back(rom);
    }
    std::sort(roms.begin(), roms.end(),
              [](const quarvel::Rom& a, const quarvel::Rom& b) { return a.RomFile < b.RomFile; });
    return roms;
}

// The least a match must do: list the folder once and learn every archive's size.
void ListWithSizes(const QString& folder)
{
    qint64 bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QFile::encodeName(folder).toStdString()))
        if (entry.is_regular_file())
            bytes += qint64(entry.file_size());
    quarvel::bench::Keep(bytes);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace quarvel::bench;
    QCoreApplication application(argc, argv);
    const Options options(QCoreApplication::arguments(), Usage);
    if (options.AnswerHelp())
        return 0;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    const QString source = dir.path() + QStringLiteral("/");

    std::mt19937 random(20240901);
    const std::vector<QString> names = MachineNames(Archives + MachinesWithout, random);
    if (!WriteArchives(source, names, random))
        return 1;
    quarvel::RomTable roms = SortedList(names);

    LastLineLog log;
    NoProgress progress;
    quarvel::StringList sourceFiles;
    QString scanLine;
    const int runs = options.Runs(9);
    const Side scan = Timed([&] {
        quarvel::ScanSourceFolder(source, QStringLiteral("7z"), sourceFiles, log, noPump);
        scanLine = log.last;
    });
    const Side match = Timed([&] { quarvel::MatchRomFiles(roms, source, QStringLiteral("7z"), log, progress, noPump); });
    const auto samples = RunInRounds(runs, {Timed([&] { ListWithSizes(source); }), scan, match});
    const auto inDisk = std::count_if(roms.begin(), roms.end(), [](const quarvel::Rom& rom) { return rom.InDisk; });

    std::printf("source scan and match over %d archives and %zu machines\n", Archives, roms.size());
    std::printf("  scan:  \"%s\"\n", qPrintable(scanLine));
    std::printf("  match: %lld machines marked; last log line \"%s\"\n", static_cast<long long>(inDisk),
                qPrintable(log.last));
    PrintColumnHeads(runs);
    PrintRow("floor: folder listing with sizes", samples[0], 0, samples[0]);
    PrintRow("source scan", samples[1], 0, samples[0]);
    PrintRow("match", samples[2], 0, samples[0]);
    return 0;
}
