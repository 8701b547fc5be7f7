#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

namespace quarvel {

// What became of one file action. Anything but Done left every file as it was.
enum class FileActionResult {
    Done,
    NoFolder,          // a path without a folder part: nothing is ever done in the current folder
    SourceMissing,
    SourceIsFolder,    // folders are never deleted, moved or copied
    NotARegularFile,   // nor are FIFOs, sockets and devices
    DestinationExists,
    SameFile,          // source and destination name one file, perhaps through a link or another spelling
    Failed,            // the system refused, or a write failed (a full disk, a read-only folder)
};

// Whether a copy may replace a file already at its destination.
enum class ExistingDestination { Keep, Replace };

// A copy in progress is named "." + final name + "." + 8 hex digits + this suffix: hidden, and never
// ending in an archive extension, so a source scan passes over one that a crash left behind.
inline constexpr char TemporaryCopySuffix[] = ".quarvel-tmp";

// The file primitives behind the delete, move and copy operations. Whatever fails, every archive stays
// whole under its own name: a move never replaces an existing file, a copy is written under a temporary
// name in the destination folder and named only once complete, and a move to another file system removes
// its source only after the copy has reached the disk under its final name.
class FileActions {
public:
    // Runs after each block a copy writes, with the bytes written so far; false fails the copy as a failed
    // write would. Lets tests fail a copy halfway, or change the destination folder while it runs.
    using BlockCheck = std::function<bool(qint64 written)>;

    FileActions() = default;
    explicit FileActions(BlockCheck afterBlock);

    // Removes a regular file (a link to one removes the link).
    FileActionResult Delete(const QString& path) const;
    // Gives a regular file its new name, on another file system too, without ever replacing a file.
    FileActionResult Move(const QString& source, const QString& destination) const;
    // Copies a regular file with its permissions and modification time.
    FileActionResult Copy(const QString& source, const QString& destination, ExistingDestination existing) const;

private:
    BlockCheck afterBlock_;
};

} // namespace quarvel
