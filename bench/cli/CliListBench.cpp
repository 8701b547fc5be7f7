// Times `quarvel-cli list --format tsv` over a machine list as a whole process, start-up and
// exit included, as a user at a shell meets it, against bench_import's children run the same
// way: the floor (reading the list into a fresh buffer and one memchr pass), the two pugixml
// peers, and the whole import the window runs. Every run of every side is a process of its own,
// so that its wall time and its peak memory are its own.
#include "support/MachineList.h"
#include "support/Options.h"
#include "support/Timing.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace quarvel::bench;

constexpr const char* Usage =
    "Usage: bench_cli_list [listxml.xml] [--runs N]\n"
    "  Times quarvel-cli list --format tsv, its output thrown away, as a whole process against\n"
    "  bench_import's floor, pugixml peers and whole import, each a whole process too, and\n"
    "  prints the peak memory of each against the size of the list.\n"
    "  Without a file it reads the list of /usr/games/mame (made once into the cache folder),\n"
    "  or else a synthetic list of the same size.\n";

struct ChildRun {
    double ms = 0.0;
    long peakKiB = 0;
    bool succeeded = false;
};

// The arguments as exec wants them: the strings stay alive in `storage` while `pointers` is used.
std::vector<char*> ArgumentVector(const QStringList& command, std::vector<QByteArray>& storage)
{
    for (const QString& argument : command)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char*> pointers;
    for (QByteArray& argument : storage)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the command with its output going nowhere, as `> /dev/null` does, and waits for it
// with wait4, which alone gives the peak memory of that one child. exec keeps the high-water
// mark of the process it replaces, so this parent stays small and never reads the list itself.
ChildRun RunToEnd(const QStringList& command)
{
    std::vector<QByteArray> storage;
    const std::vector<char*> argv = ArgumentVector(command, storage);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const double ms = MsSince(start);
    return {ms, usage.ru_maxrss, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

// One side: a command run once per round, keeping the largest peak memory of its runs.
class ProcessSide {
public:
    explicit ProcessSide(QStringList command)
        : command_(std::move(command))
    {
    }

    Side AsSide()
    {
        return [this] {
            const ChildRun run = RunToEnd(command_);
            if (!run.succeeded)
                std::fprintf(stderr, "failed: %s\n", qPrintable(command_.join(u' ')));
            peakKiB_ = std::max(peakKiB_, run.peakKiB);
            return run.ms;
        };
    }

    double PeakMiB() const { return double(peakKiB_) / 1024.0; }

private:
    QStringList command_;
    long peakKiB_ = 0;
};

// bench_import's child for one of its sides. The floor and the peers need neither categories
// nor archives; the import is given the category list quarvel-cli embeds, so it builds the
// same table, and no archives, so its match finds nothing, as the listing's does.
QStringList ImportChild(const char* side, const QString& list)
{
    return {QStringLiteral(QUARVEL_BENCH_IMPORT_PATH), QStringLiteral("--child"), QString::fromLatin1(side), list,
            QStringLiteral(QUARVEL_CLI_CATEGORIES), QString()};
}

QStringList CliList(const QString& list, const QTemporaryDir& emptyFolder)
{
    return {QStringLiteral(QUARVEL_CLI_PATH), QStringLiteral("list"), QStringLiteral("--list"), list,
            QStringLiteral("--source"), emptyFolder.path(), QStringLiteral("--format"), QStringLiteral("tsv")};
}

struct Row {
    const char* label;
    ProcessSide side;
};

void PrintPeak(const Row& row, qint64 bytes)
{
    std::printf("  %-38s %8.1f MiB = %.2f x the list file\n", row.label, row.side.PeakMiB(),
                row.side.PeakMiB() / MiB(bytes));
}

#ifdef QUARVEL_HAVE_PUGIXML
constexpr bool HavePugixml = true;
#else
constexpr bool HavePugixml = false;
#endif

// Floor, quarvel-cli and whole import, then the peers when pugixml was built in.
std::vector<Row> MakeRows(const QString& list, const QTemporaryDir& emptyFolder)
{
    std::vector<Row> rows{
        {"floor: read + memchr, whole process", ProcessSide(ImportChild("floor", list))},
        {"quarvel-cli list --format tsv", ProcessSide(CliList(list, emptyFolder))},
        {"whole import (bench_import child)", ProcessSide(ImportChild("import", list))},
    };
    if (HavePugixml) {
        rows.push_back({"pugixml load_file, five fields", ProcessSide(ImportChild("pugixml", list))});
        rows.push_back({"pugixml in place, parse_minimal, five", ProcessSide(ImportChild("pugixml-tuned", list))});
    }
    return rows;
}

void PrintPeerRatios(const std::vector<Samples>& samples)
{
    if (!HavePugixml) {
        std::printf("  pugixml was not found at build time: no peers\n");
        return;
    }
    std::printf("  speed ratios, median over median (above 1: the peer is slower)\n");
    PrintRatio("pugixml load_file / quarvel-cli list", samples[3], samples[1]);
    PrintRatio("pugixml in place + parse_minimal / quarvel-cli list", samples[4], samples[1]);
    PrintRatio("pugixml load_file / whole import", samples[3], samples[2]);
    PrintRatio("pugixml in place + parse_minimal / whole import", samples[4], samples[2]);
}

void PrintResults(const std::vector<Row>& rows, const std::vector<Samples>& samples, qint64 bytes, int runs)
{
    PrintColumnHeads(runs);
    for (std::size_t i = 0; i < rows.size(); ++i)
        PrintRow(rows[i].label, samples[i], bytes, samples[0]);
    PrintPeerRatios(samples);
    std::printf("  peak resident memory, the largest of the runs\n");
    for (const Row& row : rows)
        PrintPeak(row, bytes);
}

int RunParent(const Options& options)
{
    const QString list = options.Plain().isEmpty() ? DefaultMachineList() : options.Plain();
    if (!QFileInfo(list).isReadable()) {
        std::printf("machine list %s is absent: nothing to time\n", qPrintable(list));
        return 0;
    }
    const QTemporaryDir emptyFolder;
    std::vector<Row> rows = MakeRows(list, emptyFolder);
    std::vector<Side> sides;
    for (Row& row : rows)
        sides.push_back(row.side.AsSide());
    const int runs = options.Runs(5);
    const std::vector<Samples> samples = RunInRounds(runs, sides);
    const qint64 bytes = QFileInfo(list).size();
    std::printf("\nmachine list %s: %.1f MiB; every figure is a whole process, start to exit\n", qPrintable(list),
                MiB(bytes));
    PrintResults(rows, samples, bytes, runs);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const Options options(QCoreApplication::arguments(), Usage);
    if (options.AnswerHelp())
        return 0;
    return RunParent(options);
}
