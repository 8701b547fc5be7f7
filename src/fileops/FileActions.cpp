#include "fileops/FileActions.h"

#include "util/Paths.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel {

namespace {

// Large enough that a kernel copy runs at full speed, small enough that a failed write is noticed early.
constexpr std::size_t BlockSize = std::size_t(1) << 20;
// Temporary names carry 32 random bits; a clash only costs another draw.
constexpr int TemporaryNameAttempts = 16;

// An open file, closed when it goes out of scope.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int descriptor)
        : descriptor_(descriptor)
    {
    }
    ~FileHandle()
    {
        if (descriptor_ >= 0)
            close(descriptor_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        std::swap(descriptor_, other.descriptor_);
        return *this;
    }

    bool IsOpen() const { return descriptor_ >= 0; }
    int Get() const { return descriptor_; }

    // A write the kernel could not complete may only show up here (on network file systems, for one).
    bool Close()
    {
        const int descriptor = std::exchange(descriptor_, -1);
        return close(descriptor) == 0;
    }

private:
    int descriptor_ = -1;
};

QByteArray NativePath(const QString& path)
{
    return QFile::encodeName(path);
}

// A path without a folder part would name a file in whatever folder the process happens to be in.
bool HasFolderPart(const QString& path)
{
    return !ExtractFilePath(path).isEmpty();
}

bool IsSameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

FileActionResult ResultOfMissingSource(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileActionResult::SourceMissing : FileActionResult::Failed;
}

bool NoReplaceUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// The errno of a rename that never replaces an existing entry, or 0. A file system without the
// no-replace flag gets a hard link and an unlink instead, which cannot replace anything either.
int RenameWithoutReplacing(const QByteArray& from, const QByteArray& to)
{
#ifdef __linux__
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (!NoReplaceUnsupported(errno))
        return errno;
#endif
    if (link(from.constData(), to.constData()) != 0)
        return errno;
    if (unlink(from.constData()) != 0) {
        const int error = errno;
        unlink(to.constData());
        return error;
    }
    return 0;
}

int RenameReplacing(const QByteArray& from, const QByteArray& to)
{
    return rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// What an entry at the destination is to the source, if there is one there.
std::optional<FileActionResult> ExistingEntry(const struct stat& source, const QByteArray& destination)
{
    struct stat target {};
    if (stat(destination.constData(), &target) == 0 && IsSameFile(source, target))
        return FileActionResult::SameFile;
    // A link whose target is missing still holds the name.
    if (lstat(destination.constData(), &target) == 0)
        return FileActionResult::DestinationExists;
    return std::nullopt;
}

// Why a copy may not go to the destination, if it may not. The rename that ends the copy is the real guard
// against a file appearing there meanwhile; this only spares copying an archive for nothing.
std::optional<FileActionResult> CopyDestinationProblem(const struct stat& source, const QByteArray& destination,
                                                       ExistingDestination existing)
{
    const std::optional<FileActionResult> entry = ExistingEntry(source, destination);
    if (entry == FileActionResult::DestinationExists && existing == ExistingDestination::Replace)
        return std::nullopt;
    return entry;
}

FileActionResult ResultOfSourceKind(const struct stat& source)
{
    if (S_ISREG(source.st_mode))
        return FileActionResult::Done;
    return S_ISDIR(source.st_mode) ? FileActionResult::SourceIsFolder : FileActionResult::NotARegularFile;
}

bool CopyRangeUnsupported(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

bool WriteAll(int output, const char* bytes, ssize_t count)
{
    while (count > 0) {
        const ssize_t written = write(output, bytes, std::size_t(count));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= written;
    }
    return true;
}

// One block through memory; the bytes copied, 0 at the end of the input, -1 on failure.
ssize_t CopyBlockThroughBuffer(int input, int output, std::vector<char>& buffer)
{
    buffer.resize(BlockSize);
    ssize_t count = -1;
    do
        count = read(input, buffer.data(), buffer.size());
    while (count < 0 && errno == EINTR);
    if (count > 0 && !WriteAll(output, buffer.data(), count))
        return -1;
    return count;
}

// Copies from the inputs's position to its end. The kernel copies on its own where it can (between
// two files of one file system it may even share the blocks); anything else goes through memory.
bool CopyBytes(int input, int output, const FileActions::BlockCheck& afterBlock)
{
    bool kernelCopy = true;
    std::vector<char> buffer;
    qint64 written = 0;
    for (;;) {
        ssize_t count = -1;
        if (kernelCopy) {
            count = copy_file_range(input, nullptr, output, nullptr, BlockSize, 0);
            if (count < 0 && CopyRangeUnsupported(errno)) {
                kernelCopy = false;
                continue;
            }
        } else {
            count = CopyBlockThroughBuffer(input, output, buffer);
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count == 0;
        written += count;
        if (afterBlock && !afterBlock(written))
            return false;
    }
}

// The copy keeps what the file system records of the archive besides its bytes. Neither is worth
// failing a copy over: a file system without permissions or times still holds the archive whole.
void KeepAttributes(int output, const struct stat& source)
{
    fchmod(output, source.st_mode & 0777);
    const timespec times[2] = {source.st_atim, source.st_mtim};
    futimens(output, times);
}

bool SyncFolder(const QString& folder)
{
    FileHandle handle(open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return handle.IsOpen() && fsync(handle.Get()) == 0 && handle.Close();
}

enum class Flush { No, ToDisk };

// A copy under a hidden temporary name beside its destination, removed again unless it got its name.
class TemporaryCopy {
public:
    explicit TemporaryCopy(const QString& destination)
        : folder_(ExtractFilePath(destination))
        , finalName_(ExtractFileName(destination))
    {
    }
    ~TemporaryCopy()
    {
        if (!path_.isEmpty())
            unlink(path_.constData());
    }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    bool Write(int input, const struct stat& source, const FileActions::BlockCheck& afterBlock, Flush flush)
    {
        FileHandle output;
        if (!Create(output) || !CopyBytes(input, output.Get(), afterBlock))
            return false;
        KeepAttributes(output.Get(), source);
        if (flush == Flush::ToDisk && fsync(output.Get()) != 0)
            return false;
        return output.Close();
    }

    // The errno of giving the copy its final name, or 0; from then on the copy is no longer removed.
    int GiveName(const QByteArray& destination, ExistingDestination existing)
    {
        const int error = existing == ExistingDestination::Replace ? RenameReplacing(path_, destination)
                                                                   : RenameWithoutReplacing(path_, destination);
        if (error == 0)
            path_.clear();
        return error;
    }

private:
    bool Create(FileHandle& output)
    {
        for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
            const QString random = QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0');
            const QByteArray candidate = NativePath(folder_ + u'.' + finalName_ + u'.' + random
                                                    + QLatin1StringView(TemporaryCopySuffix));
            // Private while incomplete; the archive's own permissions come with its last byte.
            output = FileHandle(open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
            if (output.IsOpen()) {
                path_ = candidate;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    QString folder_;
    QString finalName_;
    QByteArray path_; // empty once named, or when never created
};

// Opens a source for copying without blocking on a FIFO, and tells what it is.
FileActionResult OpenRegularFile(const QByteArray& path, FileHandle& handle, struct stat& info)
{
    handle = FileHandle(open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!handle.IsOpen())
        return ResultOfMissingSource(errno);
    if (fstat(handle.Get(), &info) != 0)
        return FileActionResult::Failed;
    return ResultOfSourceKind(info);
}

// The source goes only once its copy is on the disk under its final name. Should the source then
// refuse to go, the copy goes instead, so the archive is never left in both places.
FileActionResult MoveAcrossFileSystems(const QByteArray& from, const QByteArray& to, const QString& destination,
                                       const FileActions::BlockCheck& afterBlock)
{
    FileHandle input;
    struct stat source {};
    const FileActionResult opened = OpenRegularFile(from, input, source);
    if (opened != FileActionResult::Done)
        return opened;
    TemporaryCopy copy(destination);
    if (!copy.Write(input.Get(), source, afterBlock, Flush::ToDisk))
        return FileActionResult::Failed;
    const int error = copy.GiveName(to, ExistingDestination::Keep);
    if (error != 0)
        return error == EEXIST ? FileActionResult::DestinationExists : FileActionResult::Failed;
    if (SyncFolder(ExtractFilePath(destination)) && unlink(from.constData()) == 0)
        return FileActionResult::Done;
    struct stat stillThere {};
    if (lstat(from.constData(), &stillThere) == 0)
        unlink(to.constData());
    return FileActionResult::Failed;
}

} // namespace

FileActions::FileActions(BlockCheck afterBlock)
    : afterBlock_(std::move(afterBlock))
{
}

FileActionResult FileActions::Delete(const QString& path) const
{
    if (!HasFolderPart(path))
        return FileActionResult::NoFolder;
    const QByteArray native = NativePath(path);
    struct stat info {};
    if (stat(native.constData(), &info) != 0)
        return ResultOfMissingSource(errno);
    if (const FileActionResult kind = ResultOfSourceKind(info); kind != FileActionResult::Done)
        return kind;
    return unlink(native.constData()) == 0 ? FileActionResult::Done : FileActionResult::Failed;
}

FileActionResult FileActions::Move(const QString& source, const QString& destination) const
{
    if (!HasFolderPart(source) || !HasFolderPart(destination))
        return FileActionResult::NoFolder;
    const QByteArray from = NativePath(source);
    const QByteArray to = NativePath(destination);
    struct stat info {};
    if (stat(from.constData(), &info) != 0)
        return ResultOfMissingSource(errno);
    if (const FileActionResult kind = ResultOfSourceKind(info); kind != FileActionResult::Done)
        return kind;
    // No look at the destination first: the rename refuses an existing one by itself, without a window
    // for one to appear in, and a batch of moves within one file system costs two calls per archive.
    const int error = RenameWithoutReplacing(from, to);
    if (error == EXDEV) {
        if (const auto entry = ExistingEntry(info, to))
            return *entry;
        return MoveAcrossFileSystems(from, to, destination, afterBlock_);
    }
    if (error == EEXIST)
        return ExistingEntry(info, to).value_or(FileActionResult::DestinationExists);
    return error == 0 ? FileActionResult::Done : FileActionResult::Failed;
}

FileActionResult FileActions::Copy(const QString& source, const QString& destination,
                                   ExistingDestination existing) const
{
    if (!HasFolderPart(source) || !HasFolderPart(destination))
        return FileActionResult::NoFolder;
    const QByteArray to = NativePath(destination);
    FileHandle input;
    struct stat info {};
    const FileActionResult opened = OpenRegularFile(NativePath(source), input, info);
    if (opened != FileActionResult::Done)
        return opened;
    if (const auto problem = CopyDestinationProblem(info, to, existing))
        return *problem;
    // The source stays where it is, so a crash before the copy reaches the disk loses no archive, even where
    // the copy replaced an older one of the same name: no flush.
    TemporaryCopy copy(destination);
    if (!copy.Write(input.Get(), info, afterBlock_, Flush::No))
        return FileActionResult::Failed;
    const int error = copy.GiveName(to, existing);
    if (error == 0)
        return FileActionResult::Done;
    return error == EEXIST ? FileActionResult::DestinationExists : FileActionResult::Failed;
}

} // namespace quarvel
