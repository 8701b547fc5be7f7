#include "util/FileFinder.h"

#include "reporting/EventPump.h"
#include "util/Paths.h"
#include "util/StringList.h"
#include "util/TextFunctions.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel {

bool FindStopFlag = false;

namespace {

constexpr qint32 AttrHidden = 2;
constexpr qint32 AttrSystem = 4;
constexpr qint32 AttrDirectory = 16;

enum class Kind : std::uint8_t { Unresolved, Regular, Folder, Other, Missing };

Kind KindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return Kind::Regular;
    if (S_ISDIR(mode))
        return Kind::Folder;
    return Kind::Other;
}

Kind KindOfDirentType(unsigned char type)
{
    switch (type) {
    case DT_REG:
        return Kind::Regular;
    case DT_DIR:
        return Kind::Folder;
    case DT_FIFO:
    case DT_SOCK:
    case DT_CHR:
    case DT_BLK:
        return Kind::Other;
    default: // a link counts as its target, and some file systems do not say
        return Kind::Unresolved;
    }
}

// File names as QFile::encodeName gives them back: Qt takes them as UTF-8 on this platform.
QString DecodeName(std::string_view name)
{
    return QString::fromUtf8(QByteArrayView(name.data(), qsizetype(name.size())));
}

// A name pattern with "*" and "?", letter case ignored. Masks and names that are pure ASCII, the
// usual case by far, are compared byte by byte without decoding the name.
class NameMask {
public:
    explicit NameMask(const QString& mask)
        : asciiMask_(std::all_of(mask.begin(), mask.end(), [](QChar c) { return c.unicode() < 0x80; }))
        , foldedPattern_(mask.toCaseFolded().toUcs4())
    {
        if (asciiMask_)
            asciiPattern_ = LowerAscii(mask).toStdString();
    }

    bool Matches(std::string_view name) const
    {
        if (asciiMask_ && IsAscii(name))
            return Glob(std::span<const char>(asciiPattern_), std::span<const char>(name),
                        [](char pattern, char c) { return pattern == LowerAsciiByte(c); });
        const QList<uint> folded = DecodeName(name).toCaseFolded().toUcs4();
        return Glob(std::span<const uint>(foldedPattern_), std::span<const uint>(folded),
                    [](uint pattern, uint c) { return pattern == c; });
    }

private:
    static bool IsAscii(std::string_view name)
    {
        return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }

    static char LowerAsciiByte(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

    template <typename Char, typename Equal>
    static bool Glob(std::span<const Char> pattern, std::span<const Char> name, Equal equal)
    {
        constexpr std::size_t none = std::size_t(-1);
        std::size_t p = 0;
        std::size_t n = 0;
        std::size_t star = none;
        std::size_t resume = 0;
        while (n < name.size()) {
            if (p < pattern.size() && pattern[p] == Char('*')) {
                star = p++;
                resume = n;
            } else if (p < pattern.size() && (pattern[p] == Char('?') || equal(pattern[p], name[n]))) {
                ++p;
                ++n;
            } else if (star != none) {
                p = star + 1;
                n = ++resume;
            } else {
                return false;
            }
        }
        while (p < pattern.size() && pattern[p] == Char('*'))
            ++p;
        return p == pattern.size();
    }

    bool asciiMask_;
    QList<uint> foldedPattern_;
    std::string asciiPattern_;
};

struct Entry {
    std::uint64_t sortKey = 0; // the first eight bytes of the name, most significant first
    std::uint32_t offset = 0;  // of the name in the listing's name pool
    std::uint32_t length = 0;
    Kind kind = Kind::Unresolved;
    bool sizeKnown = false;
    qint64 size = 0;
};

using FolderId = std::pair<dev_t, ino_t>;

// One read of a folder. Entries come "." and ".." first, then in byte order of their names:
// readdir's own order depends on the file system and on the folder's history, and a search
// should list the same folder the same way every time.
class FolderListing {
public:
    explicit FolderListing(const QString& path)
        : dir_(opendir(QFile::encodeName(path).constData()))
    {
    }
    ~FolderListing() { Close(); }
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    bool IsOpen() const { return dir_ != nullptr; }

    FolderId Id() const
    {
        struct stat info {};
        fstat(dirfd(dir_), &info);
        return {info.st_dev, info.st_ino};
    }

    void ReadAll()
    {
        AddName(".", Kind::Folder);
        AddName("..", Kind::Folder);
        while (const dirent* item = readdir(dir_)) {
            const std::string_view name(item->d_name);
            if (name != "." && name != "..")
                AddName(name, KindOfDirentType(item->d_type));
        }
        // Names hold no NUL byte, so the zero padding of a short key sorts it before longer names.
        std::sort(entries_.begin() + 2, entries_.end(), [this](const Entry& a, const Entry& b) {
            if (a.sortKey != b.sortKey)
                return a.sortKey < b.sortKey;
            return NameOf(a) < NameOf(b);
        });
    }

    void Close()
    {
        if (dir_ != nullptr)
            closedir(dir_);
        dir_ = nullptr;
    }

    std::vector<Entry>& Entries() { return entries_; }

    std::string_view NameOf(const Entry& entry) const { return {names_.data() + entry.offset, entry.length}; }

    QString DecodedName(const Entry& entry) const { return DecodeName(NameOf(entry)); }

    // Needs the folder still open: stats are taken relative to it.
    Kind Resolve(Entry& entry) const
    {
        if (entry.kind == Kind::Unresolved)
            Stat(entry);
        return entry.kind;
    }

    qint64 SizeOf(Entry& entry) const
    {
        if (Resolve(entry) != Kind::Regular)
            return 0;
        if (!entry.sizeKnown)
            Stat(entry);
        return entry.size;
    }

    // Takes in one go the stats these entries will need. In a large folder the stat calls are
    // nearly all of a listing's time, and they wait on the kernel rather than on each other,
    // so they are spread over a few threads; the caller is back only when all are done.
    void Prepare(const std::vector<Entry*>& entries, bool sizes) const
    {
        std::vector<Entry*> pending;
        for (Entry* entry : entries)
            if (entry->kind == Kind::Unresolved || (sizes && entry->kind == Kind::Regular && !entry->sizeKnown))
                pending.push_back(entry);
        constexpr std::size_t StatsPerThread = 4096;
        const std::size_t threads = std::clamp<std::size_t>(
            std::min<std::size_t>(std::thread::hardware_concurrency(), 4), 1, pending.size() / StatsPerThread + 1);
        const std::size_t share = (pending.size() + threads - 1) / threads;
        const auto statRange = [this, &pending](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i)
                Stat(*pending[i]);
        };
        std::vector<std::jthread> helpers;
        for (std::size_t from = share; from < pending.size(); from += share) {
            const std::size_t to = std::min(pending.size(), from + share);
            try {
                helpers.emplace_back(statRange, from, to);
            } catch (const std::system_error&) {
                statRange(from, to);
            }
        }
        statRange(0, std::min(share, pending.size()));
    }

private:
    void AddName(std::string_view name, Kind kind)
    {
        Entry entry;
        for (std::size_t i = 0; i < 8; ++i)
            entry.sortKey = (entry.sortKey << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
        entry.offset = static_cast<std::uint32_t>(names_.size());
        entry.length = static_cast<std::uint32_t>(name.size());
        entry.kind = kind;
        names_.append(name);
        names_.push_back('\0');
        entries_.push_back(entry);
    }

    void Stat(Entry& entry) const
    {
        struct stat info {};
        if (fstatat(dirfd(dir_), names_.data() + entry.offset, &info, 0) != 0) {
            entry.kind = Kind::Missing; // a dangling link, or gone since the read
            return;
        }
        entry.kind = KindOfMode(info.st_mode);
        entry.size = entry.kind == Kind::Regular ? qint64(info.st_size) : 0;
        entry.sizeKnown = true;
    }

    DIR* dir_ = nullptr;
    std::string names_;
    std::vector<Entry> entries_;
};

qint32 AttributesOf(std::string_view name, Kind kind)
{
    qint32 attributes = 0;
    if (kind == Kind::Folder)
        attributes |= AttrDirectory;
    else if (kind == Kind::Other)
        attributes |= AttrSystem;
    if (name.size() > 0 && name[0] == '.' && name != "." && name != "..")
        attributes |= AttrHidden;
    return attributes;
}

struct Search {
    StringList& list;
    NameMask mask;
    bool stopAtFirst;
    bool recurse;
    const QString& extFilter;
    bool sizeFilter;
    qint64 matchSize;
    qint32 attrMask;
    bool collectSizes;
    TIntArray& sizes;
    EventPump& pump;
};

// Accepts the entries of one folder; true when the search stopped at its first entry.
bool AcceptEntries(Search& search, FolderListing& listing, const QString& path)
{
    std::vector<Entry*> named;
    for (Entry& entry : listing.Entries())
        if (search.mask.Matches(listing.NameOf(entry)))
            named.push_back(&entry);
    // A search that ends at its first entry stats only what it looks at.
    if (!search.stopAtFirst)
        listing.Prepare(named, search.collectSizes || search.sizeFilter);

    constexpr qint32 acting = AttrHidden | AttrSystem | AttrDirectory;
    for (Entry* entry : named) {
        const Kind kind = listing.Resolve(*entry);
        if (kind == Kind::Missing)
            continue;
        if ((AttributesOf(listing.NameOf(*entry), kind) & acting & ~search.attrMask) != 0)
            continue;
        const QString name = listing.DecodedName(*entry);
        if (!search.extFilter.isEmpty()) {
            const QString extension = ExtractFileExt(name);
            if (extension.isEmpty() || !search.extFilter.contains(extension, Qt::CaseSensitive))
                continue;
        }
        if (search.sizeFilter && listing.SizeOf(*entry) != search.matchSize)
            continue;
        search.list.Add(path + name);
        if (search.collectSizes)
            search.sizes.push_back(listing.SizeOf(*entry));
        if (search.stopAtFirst)
            return true;
    }
    return false;
}

enum class Outcome { Stopped, Listed, Unreadable };

// Lists one folder: accepts its entries and, when the search recurses, gathers its subfolders
// in listing order. The folder is closed before the first event is let through.
Outcome ListFolder(Search& search, const QString& path, const std::vector<FolderId>& chain, FolderId& id,
                   std::vector<QString>& subfolders)
{
    FolderListing listing(path);
    if (!listing.IsOpen())
        return Outcome::Unreadable;
    id = listing.Id();
    if (std::find(chain.begin(), chain.end(), id) != chain.end())
        return Outcome::Unreadable;
    listing.ReadAll();
    if (AcceptEntries(search, listing, path))
        return Outcome::Stopped;
    if (!search.recurse)
        return Outcome::Listed;
    std::vector<Entry*> all;
    for (Entry& entry : listing.Entries())
        all.push_back(&entry);
    listing.Prepare(all, false);
    listing.Close();
    for (const Entry& entry : listing.Entries()) {
        search.pump.ProcessEvents();
        if (entry.kind == Kind::Folder && listing.NameOf(entry).front() != '.')
            subfolders.push_back(path + listing.DecodedName(entry));
    }
    return Outcome::Listed;
}

// A link back up the tree would lead into the same folders again and again; the chain holds
// the folders of the current descent, and one of them met again is not searched a second time.
void SearchFolder(Search& search, const QString& folder, std::vector<FolderId>& chain)
{
    FindStopFlag = false;
    const QString path = AddSlash(folder);
    search.pump.ProcessEvents();

    FolderId id{};
    std::vector<QString> subfolders;
    const Outcome outcome = ListFolder(search, path, chain, id, subfolders);
    if (outcome == Outcome::Stopped || !search.recurse) {
        FindStopFlag = true;
        return;
    }
    if (outcome == Outcome::Unreadable)
        return;
    chain.push_back(id);
    for (const QString& subfolder : subfolders) {
        if (FindStopFlag)
            break;
        SearchFolder(search, subfolder, chain);
    }
    chain.pop_back();
}

} // namespace

void FindFiles(StringList& List, const QString& Folder, const QString& Mask, bool StopAtFirst, bool Recurse,
               const QString& ExtFilter, bool SizeFilter, qint64 MatchSize, bool IncludeSystem, bool IncludeHidden,
               bool IncludeDirs, bool CollectSizes, TIntArray& Sizes, EventPump& pump)
{
    qint32 attrMask = FindAttrMask;
    if (!IncludeSystem)
        attrMask &= ~AttrSystem;
    if (!IncludeHidden)
        attrMask &= ~AttrHidden;
    if (!IncludeDirs)
        attrMask &= ~AttrDirectory;
    Search search{List,     NameMask(Mask), StopAtFirst, Recurse, ExtFilter, SizeFilter, MatchSize, attrMask,
                  CollectSizes, Sizes, pump};
    std::vector<FolderId> chain;
    SearchFolder(search, Folder, chain);
}

void FindFilesExt(StringList& List, const QString& Folder, const QString& Mask, const QString& Ext, bool Recurse,
                  EventPump& pump)
{
    TIntArray scratch;
    FindFiles(List, Folder, Mask, false, Recurse, QString(), false, 0, true, true, false, false, scratch, pump);
    if (Ext.isEmpty())
        return;
    const QString wanted = LowerAscii(Ext);
    for (qsizetype i = List.Count() - 1; i >= 0; --i)
        if (LowerAscii(ExtractFileExt(List[i])) != wanted)
            List.Delete(i);
}

std::vector<ListedFile> ListFilesWithSizes(const QString& Folder, const QString& Mask, EventPump& pump)
{
    pump.ProcessEvents();
    std::vector<ListedFile> files;
    FolderListing listing(AddSlash(Folder));
    if (!listing.IsOpen())
        return files;
    listing.ReadAll();
    const NameMask mask(Mask);
    std::vector<Entry*> named;
    for (Entry& entry : listing.Entries())
        if (mask.Matches(listing.NameOf(entry)))
            named.push_back(&entry);
    listing.Prepare(named, true);
    files.reserve(named.size());
    for (Entry* entry : named) {
        const Kind kind = listing.Resolve(*entry);
        if (kind != Kind::Missing && kind != Kind::Folder)
            files.push_back({listing.DecodedName(*entry), listing.SizeOf(*entry)});
    }
    return files;
}

qint64 GetFileSize64(const QString& FileName)
{
    struct stat info {};
    if (stat(QFile::encodeName(FileName).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return qint64(info.st_size);
}

} // namespace quarvel
