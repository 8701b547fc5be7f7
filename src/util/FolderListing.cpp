#include "util/FolderListing.h"

#include <QFile>

#include <algorithm>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel {

namespace {

EntryKind KindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryKind::Regular;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    return EntryKind::Other;
}

EntryKind KindOfDirentType(unsigned char type)
{
    switch (type) {
    case DT_REG:
        return EntryKind::Regular;
    case DT_DIR:
        return EntryKind::Folder;
    case DT_FIFO:
    case DT_SOCK:
    case DT_CHR:
    case DT_BLK:
        return EntryKind::Other;
    default: // a link counts as its target, and some file systems do not say
        return EntryKind::Unresolved;
    }
}

} // namespace

FolderListing::FolderListing(const QString& path)
    : dir_(opendir(QFile::encodeName(path).constData()))
{
}

FolderListing::~FolderListing()
{
    Close();
}

FolderId FolderListing::Id() const
{
    struct stat info {};
    fstat(dirfd(dir_), &info);
    return {info.st_dev, info.st_ino};
}

void FolderListing::ReadAll()
{
    AddName(".", EntryKind::Folder);
    AddName("..", EntryKind::Folder);
    while (const dirent* item = readdir(dir_)) {
        const std::string_view name(item->d_name);
        if (name != "." && name != "..")
            AddName(name, KindOfDirentType(item->d_type));
    }
    // Names hold no NUL byte, so the zero padding of a short key sorts it before longer names.
    std::sort(entries_.begin() + 2, entries_.end(), [this](const FolderEntry& a, const FolderEntry& b) {
        if (a.sortKey != b.sortKey)
            return a.sortKey < b.sortKey;
        return NameOf(a) < NameOf(b);
    });
}

void FolderListing::Close()
{
    if (dir_ != nullptr)
        closedir(dir_);
    dir_ = nullptr;
}


EntryKind FolderListing::Resolve(FolderEntry& entry) const
{
    if (entry.kind == EntryKind::Unresolved)
        Stat(entry);
    return entry.kind;
}

qint64 FolderListing::SizeOf(FolderEntry& entry) const
{
    if (Resolve(entry) != EntryKind::Regular)
        return 0;
    if (!entry.sizeKnown)
        Stat(entry);
    return entry.size;
}

std::vector<FolderEntry*> FolderListing::NeedingStats(const std::vector<FolderEntry*>& entries, bool sizes)
{
    std::vector<FolderEntry*> pending;
    for (FolderEntry* entry : entries)
        if (entry->kind == EntryKind::Unresolved
            || (sizes && entry->kind == EntryKind::Regular && !entry->sizeKnown))
            pending.push_back(entry);
    return pending;
}

void FolderListing::Prepare(const std::vector<FolderEntry*>& entries, bool sizes) const
{
    StatWork(*this, NeedingStats(entries, sizes)).Finish();
}

void FolderListing::AddName(std::string_view name, EntryKind kind)
{
    FolderEntry entry;
    for (std::size_t i = 0; i < 8; ++i)
        entry.sortKey = (entry.sortKey << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
    entry.offset = static_cast<std::uint32_t>(names_.size());
    entry.length = static_cast<std::uint32_t>(name.size());
    entry.kind = kind;
    names_.append(name);
    names_.push_back('\0');
    entries_.push_back(entry);
}

void FolderListing::Stat(FolderEntry& entry) const
{
    struct stat info {};
    if (fstatat(dirfd(dir_), names_.data() + entry.offset, &info, 0) != 0) {
        entry.kind = EntryKind::Missing; // a dangling link, or gone since the read
        return;
    }
    entry.kind = KindOfMode(info.st_mode);
    entry.size = entry.kind == EntryKind::Regular ? qint64(info.st_size) : 0;
    entry.sizeKnown = true;
}

namespace {

// Below this many stats a thread costs more to start than it saves.
constexpr std::size_t StatsPerThread = 4096;
// Threads take the entries in runs this long, so that none waits while another has many left.
constexpr std::size_t StatsPerClaim = 256;

} // namespace

FolderListing::StatWork::StatWork(const FolderListing& listing, std::vector<FolderEntry*> pending)
    : listing_(listing)
    , pending_(std::move(pending))
{
    // The owner's thread counts as one: it joins in with Finish.
    const std::size_t threads = std::clamp<std::size_t>(std::min<std::size_t>(std::thread::hardware_concurrency(), 4),
                                                        1, pending_.size() / StatsPerThread + 1);
    for (std::size_t i = 1; i < threads; ++i) {
        try {
            helpers_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break; // Finish does what no helper took
        }
    }
}

void FolderListing::StatWork::Finish()
{
    Work();
    helpers_.clear();
}

void FolderListing::StatWork::Work()
{
    for (;;) {
        const std::size_t from = next_.fetch_add(StatsPerClaim);
        if (from >= pending_.size())
            return;
        const std::size_t to = std::min(pending_.size(), from + StatsPerClaim);
        for (std::size_t i = from; i < to; ++i)
            listing_.Stat(*pending_[i]);
    }
}

} // namespace quarvel
