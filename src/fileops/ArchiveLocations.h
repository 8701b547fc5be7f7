#pragma once

#include <QString>

namespace quarvel {

class LogSink;

// Where the archives of a file operation come from and go to.
struct ArchiveLocations {
    QString sourceFolder;      // as the user set it; a source path adds no delimiter to it
    QString extension;         // of the source type, without its dot
    QString destinationFolder; // unused by deletions

    // RomFile + "." + extension.
    QString ArchiveName(const QString& romFile) const;
    // The source folder text followed by the archive name, as the source scan found it.
    QString SourcePath(const QString& romFile) const;
    // The archive name inside the destination folder, whether or not its text ends with a delimiter.
    QString DestinationPath(const QString& romFile) const;

    // Logs one error line and returns false when the destination folder is not set or does not exist:
    // the operation must then touch nothing, rather than write beside the folder or into the current one.
    bool CheckDestinationFolder(LogSink& log) const;
};

} // namespace quarvel
