#include "romfolder/SourceFolder.h"

#include "romfolder/ArchiveNameIndex.h"
#include "reporting/EventPump.h"
#include "util/FileFinder.h"
#include "util/FolderFiles.h"
#include "reporting/LogSink.h"
#include "util/Paths.h"
#include "reporting/ProgressSink.h"
#include "util/Stopwatch.h"
#include "util/StringList.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace quarvel {

QString SourceTypeExtension(int sourceTypeIndex)
{
    return sourceTypeIndex == 1 ? QStringLiteral("zip") : QStringLiteral("7z");
}

bool ScanSourceFolder(const QString& folder, const QString& extension, StringList& SourceFiles, LogSink& log,
                      EventPump& pump)
{
    if (!FolderExists(folder))
        return false;
    log.AppendLine(QStringLiteral("Scanning folder.. [") + folder + QStringLiteral("]"));
    SourceFiles.Clear();
    TIntArray unusedSizes;
    FindFiles(SourceFiles, folder, QStringLiteral("*.") + extension, false, false, QString(), false, 0, false, true,
              false, false, unusedSizes, pump);
    log.AppendLine(QString::number(SourceFiles.Count()) + QStringLiteral(" roms found."));
    return true;
}

void MatchRomFiles(RomTable& RomList, const QString& folder, const QString& extension, LogSink& log,
                   ProgressSink& progress, EventPump& pump)
{
    log.AppendLine(QStringLiteral("Match parsing start.."));
    if (!RomList.empty())
        progress.SetMaximum(ProgressValue(RomList.size() - 1));
    Stopwatch stopwatch;
    stopwatch.Start();

    // The listing FindFilesExt makes without an extension pass, with the sizes taken on the way:
    // reading them from the open folder in one go costs far less than a look-up per machine.
    const QString listedFolder = AddSlash(folder);
    FolderFiles archives(listedFolder, QStringLiteral("*.") + extension, pump);
    const ArchiveNameIndex archiveNames(archives.Names());

    // Sizes are read at the folder text as given; only when that text already ends with its
    // delimiter is the path read the very entry listed, and its listed size the same answer.
    const bool sizePathIsListed = listedFolder == folder;
    const QString suffix = QStringLiteral(".") + extension;
    // One buffer holds every machine's archive name in turn: a new string per machine cost as
    // much as its look-up.
    QString name;
    // An event let through below may replace RomList, so its length is read again every time.
    for (std::size_t i = 0; i < RomList.size(); ++i) {
        if (i % 100 == 0) {
            progress.SetPosition(ProgressValue(i));
            pump.ProcessEvents();
            if (i >= RomList.size())
                break;
        }
        Rom& rom = RomList[i];
        const QString bareRomFile = ExtractFileName(rom.RomFile);
        name.resize(0);
        name.append(bareRomFile).append(suffix);
        // An archive spelled in other letter case than the machine, PACMAN.7Z for pacman, is
        // the machine's archive: its size is the listed entry's, as no file of the machine's
        // spelling may exist on a disk that tells letter case apart.
        const std::optional<std::size_t> archive = archiveNames.Find(name);
        rom.InDisk = archive.has_value();
        if (!rom.InDisk)
            continue;
        const bool listedIsSizePath = sizePathIsListed && bareRomFile == rom.RomFile;
        rom.Size = listedIsSizePath ? archives.Size(*archive) : GetFileSize64(folder + rom.RomFile + suffix);
    }

    log.AppendLine(QStringLiteral("Match parsing done [") + QString::number(stopwatch.ElapsedMs())
                   + QStringLiteral(" ms]"));
}

} // namespace quarvel
