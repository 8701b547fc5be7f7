#include "fileops/ArchiveLocations.h"

#include "reporting/LogSink.h"
#include "util/Paths.h"

namespace quarvel {

QString ArchiveLocations::ArchiveName(const QString& romFile) const
{
    return romFile + u'.' + extension;
}

QString ArchiveLocations::SourcePath(const QString& romFile) const
{
    return sourceFolder + ArchiveName(romFile);
}

QString ArchiveLocations::DestinationPath(const QString& romFile) const
{
    return AddSlash(destinationFolder) + ArchiveName(romFile);
}

bool ArchiveLocations::CheckDestinationFolder(LogSink& log) const
{
    if (destinationFolder.isEmpty()) {
        log.AppendLine(QStringLiteral("Error: no output folder chosen."));
        return false;
    }
    if (!FolderExists(destinationFolder)) {
        log.AppendLine(QStringLiteral("Error: can't find output folder ") + destinationFolder);
        return false;
    }
    return true;
}

} // namespace quarvel
