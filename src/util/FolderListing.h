#pragma once

#include "util/Paths.h"

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include <dirent.h>
#include <sys/types.h>

namespace quarvel {

// What an entry of a folder is, as far as a search cares; Unresolved until the listing or a
// stat has said.
enum class EntryKind : std::uint8_t { Unresolved, Regular, Folder, Other, Missing };

struct FolderEntry {
    std::uint64_t sortKey = 0; // the first eight bytes of the name, most significant first
    std::uint32_t offset = 0;  // of the name in the listing's name pool
    std::uint32_t length = 0;
    EntryKind kind = EntryKind::Unresolved;
    bool sizeKnown = false;
    qint64 size = 0;
};

using FolderId = std::pair<dev_t, ino_t>;

// One read of a folder. Entries come "." and ".." first, then in byte order of their names:
// readdir's own order depends on the file system and on the folder's history, and a search
// should list the same folder the same way every time.
class FolderListing {
public:
    class StatWork;

    explicit FolderListing(const QString& path);
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    bool IsOpen() const { return dir_ != nullptr; }
    FolderId Id() const;
    void ReadAll();
    void Close();

    std::vector<FolderEntry>& Entries() { return entries_; }
    std::string_view NameOf(const FolderEntry& entry) const { return {names_.data() + entry.offset, entry.length}; }
    QString DecodedName(const FolderEntry& entry) const { return DecodeName(NameOf(entry)); }

    // These need the folder still open: stats are taken relative to it.
    EntryKind Resolve(FolderEntry& entry) const;
    qint64 SizeOf(FolderEntry& entry) const;
    // Those of entries that need a stat: to learn their kind, and with sizes their size.
    static std::vector<FolderEntry*> NeedingStats(const std::vector<FolderEntry*>& entries, bool sizes);
    // Takes in one go the stats these entries will need, and is back when all are done.
    void Prepare(const std::vector<FolderEntry*>& entries, bool sizes) const;

private:
    void AddName(std::string_view name, EntryKind kind);
    void Stat(FolderEntry& entry) const;

    DIR* dir_ = nullptr;
    std::string names_;
    std::vector<FolderEntry> entries_;
};

// Stats entries of a listing on a few threads from the moment it is made. In a large folder the
// stat calls are nearly all of a listing's time, and they wait on the kernel rather than on each
// other; the owner can do other work meanwhile and lends its own thread to what is left with
// Finish. The listing and the entries must outlive it; it waits for its threads when destroyed.
class FolderListing::StatWork {
public:
    StatWork(const FolderListing& listing, std::vector<FolderEntry*> pending);
    ~StatWork() { Finish(); }
    StatWork(const StatWork&) = delete;
    StatWork& operator=(const StatWork&) = delete;

    // Returns once every entry has been statted.
    void Finish();

private:
    void Work();

    const FolderListing& listing_;
    std::vector<FolderEntry*> pending_;
    std::atomic<std::size_t> next_{0};
    std::vector<std::jthread> helpers_;
};

} // namespace quarvel
