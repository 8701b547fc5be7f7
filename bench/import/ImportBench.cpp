// Times a whole machine-list import (read and decode, scan, tables with categories, match)
// against a peer that loads the same file with pugixml and reads the same five fields.
// Each side runs in its own child process so that its peak memory is its own.
//
// Usage: bench_import [listxml.xml]
//   Without a file it uses the list generated from /usr/games/mame (made once into
//   ~/.cache/quarvel-bench/listxml.xml), or else a MAME-shaped list of 45,000 machines.
#include "support/PeakMemory.h"
#include "catalogue/CategoryTable.h"
#include "catalogue/MachineListImport.h"
#include "romfolder/SourceFolder.h"
#include "reporting/EventPump.h"
#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <zlib.h>

#ifdef QUARVEL_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class NullLog : public quarvel::LogSink {
public:
    void AppendLine(const QString&) override {}
};
class NullProgress : public quarvel::ProgressSink {
public:
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
};

QByteArray CompressedCategories()
{
    QFile file(QStringLiteral(QUARVEL_SHARED_DATA_DIR "/category-0.214.ini"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray plain = file.readAll();
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    QByteArray packed(static_cast<qsizetype>(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(plain.constData()),
              static_cast<uLong>(plain.size()), 9);
    packed.resize(static_cast<qsizetype>(size));
    return packed;
}

// A folder holding an archive for every third machine of the list.
void FillArchiveFolder(const QString& folder, const quarvel::RomTable& roms)
{
    for (std::size_t i = 0; i < roms.size(); i += 3) {
        QFile archive(folder + u'/' + roms[i].RomFile + QStringLiteral(".7z"));
        if (archive.open(QIODevice::WriteOnly))
            archive.write(QByteArray(int(64 + i % 512), 'x'));
    }
}

int RunQuarvel(const QString& listPath)
{
    quarvel::StringList names;
    names.SetIgnoreDuplicates(true);
    names.SetSorted(true);
    quarvel::CategoryTable categories;
    categories.Build(CompressedCategories(), names);

    QTemporaryDir roms;
    quarvel::RomTable romList, filteredRoms;
    quarvel::StringList clones, originals;
    NullLog log;
    NullProgress progress;
    quarvel::NoEventPump pump;
    {
        // A first import only to know the machine names the archive folder holds.
        quarvel::TextLines lines;
        lines.LoadFromFile(listPath);
        quarvel::MachineListImport::Parse(lines, categories, {romList, filteredRoms, clones, originals}, progress, pump);
        FillArchiveFolder(roms.path(), romList);
        romList.clear();
        filteredRoms.clear();
    }

    const auto start = Clock::now();
    quarvel::TextLines lines;
    lines.LoadFromFile(listPath);
    const double readMs = MsSince(start);
    const auto parseStart = Clock::now();
    quarvel::MachineListImport::Parse(lines, categories, {romList, filteredRoms, clones, originals}, progress, pump);
    const double parseMs = MsSince(parseStart);
    const auto matchStart = Clock::now();
    quarvel::MatchRomFiles(romList, roms.path() + u'/', QStringLiteral("7z"), log, progress, pump);
    const double matchMs = MsSince(matchStart);
    const double totalMs = MsSince(start);

    std::size_t present = 0;
    for (const quarvel::Rom& rom : romList)
        present += rom.InDisk ? 1 : 0;
    std::printf("machines=%zu clones=%lld present=%zu\n", romList.size(), static_cast<long long>(clones.Count()),
                present);
    std::printf("read_ms=%.1f parse_ms=%.1f match_ms=%.1f total_ms=%.1f peak_kb=%ld\n", readMs, parseMs, matchMs,
                totalMs, quarvel::bench::PeakResidentKiB());
    return 0;
}

int RunPugixml(const QString& listPath)
{
#ifdef QUARVEL_HAVE_PUGIXML
    const auto start = Clock::now();
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_file(QFile::encodeName(listPath).constData());
    if (!result) {
        std::printf("pugixml failed: %s\n", result.description());
        return 1;
    }
    std::size_t machines = 0;
    std::size_t clones = 0;
    std::size_t textBytes = 0;
    for (const pugi::xml_node machine : document.child("mame").children("machine")) {
        ++machines;
        const QString name = QString::fromUtf8(machine.attribute("name").value());
        const bool isClone = *machine.attribute("cloneof").value() != '\0';
        const QString description = QString::fromUtf8(machine.child_value("description"));
        const QString year = QString::fromUtf8(machine.child_value("year"));
        const QString manufacturer = QString::fromUtf8(machine.child_value("manufacturer"));
        clones += isClone ? 1 : 0;
        textBytes += std::size_t(name.size() + description.size() + year.size() + manufacturer.size());
    }
    std::printf("machines=%zu clones=%zu text=%zu\n", machines, clones, textBytes);
    std::printf("total_ms=%.1f peak_kb=%ld\n", MsSince(start), quarvel::bench::PeakResidentKiB());
    return 0;
#else
    Q_UNUSED(listPath);
    std::printf("pugixml not available\n");
    return 1;
#endif
}

QString GeneratedListPath()
{
    return QDir::homePath() + QStringLiteral("/.cache/quarvel-bench/listxml.xml");
}

QString SyntheticList()
{
    const QString path = QDir::tempPath() + QStringLiteral("/quarvel-bench-synthetic.xml");
    if (QFileInfo::exists(path))
        return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("<?xml version=\"1.0\"?>\n<mame build=\"synthetic\">\n");
    for (int i = 0; i < 45000; ++i) {
        QByteArray machine = "\t<machine name=\"m" + QByteArray::number(i) + "\" sourcefile=\"d" +
                             QByteArray::number(i % 900) + ".cpp\"" +
                             (i % 3 ? " cloneof=\"m" + QByteArray::number(i - i % 3) + "\"" : QByteArray()) + ">\n" +
                             "\t\t<description>Machine " + QByteArray::number(i) + " (set 1)</description>\n" +
                             "\t\t<year>19" + QByteArray::number(80 + i % 20) + "</year>\n" +
                             "\t\t<manufacturer>Maker " + QByteArray::number(i % 300) + "</manufacturer>\n";
        for (int r = 0; r < 50; ++r)
            machine += "\t\t<rom name=\"r" + QByteArray::number(r) +
                       ".bin\" size=\"4096\" crc=\"0123abcd\" sha1=\"0123456789abcdef0123456789abcdef01234567\"/>\n";
        machine += "\t</machine>\n";
        file.write(machine);
    }
    file.write("</mame>\n");
    return path;
}

QString ChooseList(const QStringList& arguments)
{
    if (arguments.size() > 1)
        return arguments[1];
    const QString generated = GeneratedListPath();
    if (!QFileInfo::exists(generated) && QFileInfo(QStringLiteral("/usr/games/mame")).isExecutable()) {
        QDir().mkpath(QFileInfo(generated).absolutePath());
        QProcess mame;
        mame.setStandardOutputFile(generated);
        mame.start(QStringLiteral("/usr/games/mame"), {QStringLiteral("-listxml")});
        mame.waitForFinished(-1);
    }
    return QFileInfo(generated).size() > 0 ? generated : SyntheticList();
}

QMap<QString, double> RunChild(const QString& mode, const QString& listPath)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--") + mode, listPath});
    child.waitForFinished(-1);
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    std::printf("[%s]\n%s", qPrintable(mode), qPrintable(output));
    QMap<QString, double> figures;
    static const QRegularExpression pair(QStringLiteral("(\\w+)=([\\d.]+)"));
    for (auto it = pair.globalMatch(output); it.hasNext();) {
        const auto match = it.next();
        figures[match.captured(1)] = match.captured(2).toDouble();
    }
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--quarvel"))
        return RunQuarvel(arguments[2]);
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--pugixml"))
        return RunPugixml(arguments[2]);

    const QString listPath = ChooseList(arguments);
    const double fileMb = double(QFileInfo(listPath).size()) / (1024.0 * 1024.0);
    std::printf("machine list: %s (%.1f MiB)\n", qPrintable(listPath), fileMb);
    const QMap<QString, double> ours = RunChild(QStringLiteral("quarvel"), listPath);
    const QMap<QString, double> peer = RunChild(QStringLiteral("pugixml"), listPath);
    const double ourPeakMb = ours.value(QStringLiteral("peak_kb")) / 1024.0;
    const double peerPeakMb = peer.value(QStringLiteral("peak_kb")) / 1024.0;
    std::printf("\nwhole import: %.0f ms (target under 1000 ms)\n", ours.value(QStringLiteral("total_ms")));
    std::printf("peer (pugixml load + five fields): %.0f ms\n", peer.value(QStringLiteral("total_ms")));
    if (ours.value(QStringLiteral("total_ms")) > 0)
        std::printf("speed ratio peer/ours: %.2f (target at least 1.5)\n",
                    peer.value(QStringLiteral("total_ms")) / ours.value(QStringLiteral("total_ms")));
    std::printf("peak memory: ours %.0f MiB = %.2f x file (target at most 1.5), peer %.0f MiB = %.2f x file\n",
                ourPeakMb, ourPeakMb / fileMb, peerPeakMb, peerPeakMb / fileMb);
    return 0;
}
