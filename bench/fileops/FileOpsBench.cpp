// Moves 20,000 small archives to another folder of the same file system with "Move clone files", and
// copies 2,000 archives of 1 MB with "Copy non-clones", each next to `mv` and `cp` of the same files in
// the same run, and prints archives per second (min / median / max) for both sides.
#include "support/Options.h"
#include "support/Sinks.h"
#include "fileops/ArchiveLocations.h"
#include "fileops/BatchOperation.h"
#include "fileops/CancelFlag.h"
#include "reporting/EventPump.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

constexpr const char* Usage =
    "Usage: bench_fileops [--runs N] [--small N] [--large N] [--folder PATH]\n"
    "  --small N     small archives moved (default 20000)\n"
    "  --large N     archives of 1 MB copied (default 2000)\n"
    "  --folder PATH where the temporary folders go (default: the system's temporary folder);\n"
    "                source and destination share its file system\n";

using quarvel::bench::LastLineLog;
using quarvel::bench::NoProgress;

struct Options {
    int runs = 5;
    int small = 20000;
    int large = 2000;
    QString folder = QDir::tempPath();
};

struct Rates {
    double minimum;
    double median;
    double maximum;
};

Rates RatesOf(std::vector<double> perSecond)
{
    std::sort(perSecond.begin(), perSecond.end());
    return {perSecond.front(), perSecond[perSecond.size() / 2], perSecond.back()};
}

// Archives per second of one timed run.
double Rate(int archives, const std::function<bool()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    if (!run()) {
        std::fprintf(stderr, "a run failed\n");
        std::exit(1);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return archives / seconds;
}

QStringList Names(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("m%1").arg(i, 5, 10, QLatin1Char('0')));
    return names;
}

bool MakeArchives(const QString& folder, const QStringList& names, qsizetype size)
{
    QByteArray bytes(size, 'a');
    for (const QString& name : names) {
        std::memcpy(bytes.data(), name.toLatin1().constData(), std::size_t(name.size()));
        QFile file(folder + name + QStringLiteral(".7z"));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

QStringList ArchiveNames(const QStringList& names)
{
    QStringList files;
    for (const QString& name : names)
        files.append(name + QStringLiteral(".7z"));
    return files;
}

// The peer tool on the same files, started in the source folder so its argument list stays short.
bool RunTool(const QString& tool, const QString& from, const QString& to, const QStringList& files)
{
    QProcess process;
    process.setWorkingDirectory(from);
    process.start(tool, QStringList{QStringLiteral("-t"), to} + files);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool RunOperation(quarvel::BatchOperation operation, const QStringList& names, const QString& from, const QString& to)
{
    quarvel::CancelFlag cancel;
    LastLineLog log;
    NoProgress progress;
    quarvel::NoEventPump pump;
    const quarvel::BatchOutcome outcome = quarvel::RunBatchOperation(
        operation, names, quarvel::ArchiveLocations{from, QStringLiteral("7z"), to}, cancel, log, progress, pump);
    return outcome.done == names.size();
}

void EmptyFolder(const QString& folder)
{
    QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(file);
}

void Print(const char* side, const Rates& rates)
{
    std::printf("  %-22s min %9.0f  median %9.0f  max %9.0f archives/s\n", side, rates.minimum, rates.median,
                rates.maximum);
}

void PrintComparison(const char* title, const char* ours, const Rates& oursRates, const char* peer,
                     const Rates& peerRates)
{
    std::printf("%s\n", title);
    Print(ours, oursRates);
    Print(peer, peerRates);
    std::printf("  median ratio: %.0f %% of %s (target: at least 80 %%)\n", 100.0 * oursRates.median / peerRates.median,
                peer);
}

// Runs both sides once, taking turns at going first so that neither always meets the disk as the other
// left it.
void RunBoth(int run, const std::function<void()>& ours, const std::function<void()>& peer)
{
    if (run % 2 == 0) {
        ours();
        peer();
    } else {
        peer();
        ours();
    }
}

// Each side moves every archive to the other folder, so one side's run sets up the other's.
void BenchMove(const Options& options, const QString& root)
{
    const QString left = root + QStringLiteral("/move-a/");
    const QString right = root + QStringLiteral("/move-b/");
    QDir().mkpath(left);
    QDir().mkpath(right);
    const QStringList names = Names(options.small);
    const QStringList files = ArchiveNames(names);
    if (!MakeArchives(left, names, 2048)) {
        std::fprintf(stderr, "cannot write the small archives\n");
        std::exit(1);
    }
    std::vector<double> ours;
    std::vector<double> peer;
    QString from = left;
    QString to = right;
    for (int run = 0; run < options.runs; ++run) {
        RunBoth(
            run,
            [&] {
                sync();
                ours.push_back(Rate(options.small, [&] {
                    return RunOperation(quarvel::BatchOperation::MoveClones, names, from, to);
                }));
                std::swap(from, to);
            },
            [&] {
                sync();
                peer.push_back(Rate(options.small, [&] { return RunTool(QStringLiteral("mv"), from, to, files); }));
                std::swap(from, to);
            });
    }
    char title[128];
    std::snprintf(title, sizeof title, "move %d archives of 2 KB within one file system, %d runs each",
                  options.small, options.runs);
    PrintComparison(title, "\"Move clone files\"", RatesOf(ours), "mv", RatesOf(peer));
}

void BenchCopy(const Options& options, const QString& root)
{
    const QString source = root + QStringLiteral("/copy-source/");
    const QString oursOut = root + QStringLiteral("/copy-ours/");
    const QString peerOut = root + QStringLiteral("/copy-cp/");
    for (const QString& folder : {source, oursOut, peerOut})
        QDir().mkpath(folder);
    const QStringList names = Names(options.large);
    const QStringList files = ArchiveNames(names);
    if (!MakeArchives(source, names, 1024 * 1024)) {
        std::fprintf(stderr, "cannot write the 1 MB archives\n");
        std::exit(1);
    }
    std::vector<double> ours;
    std::vector<double> peer;
    for (int run = 0; run < options.runs; ++run) {
        RunBoth(
            run,
            [&] {
                EmptyFolder(oursOut);
                sync();
                ours.push_back(Rate(options.large, [&] {
                    return RunOperation(quarvel::BatchOperation::CopyOriginals, names, source, oursOut);
                }));
            },
            [&] {
                EmptyFolder(peerOut);
                sync();
                peer.push_back(
                    Rate(options.large, [&] { return RunTool(QStringLiteral("cp"), source, peerOut, files); }));
            });
    }
    char title[128];
    std::snprintf(title, sizeof title, "copy %d archives of 1 MB within one file system, %d runs each", options.large,
                  options.runs);
    PrintComparison(title, "\"Copy non-clones\"", RatesOf(ours), "cp", RatesOf(peer));
}

Options ReadOptions(const quarvel::bench::Options& command)
{
    Options options;
    options.runs = command.Runs(options.runs);
    options.small = std::max(1, command.Value(QStringLiteral("--small"), QString::number(options.small)).toInt());
    options.large = std::max(1, command.Value(QStringLiteral("--large"), QString::number(options.large)).toInt());
    options.folder = command.Value(QStringLiteral("--folder"), options.folder);
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const quarvel::bench::Options command(application.arguments(), Usage);
    if (command.AnswerHelp())
        return 0;
    const Options options = ReadOptions(command);
    QTemporaryDir root(options.folder + QStringLiteral("/bench_fileops-XXXXXX"));
    if (!root.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder in %s\n", qPrintable(options.folder));
        return 1;
    }
    BenchMove(options, root.path());
    BenchCopy(options, root.path());
    return 0;
}
