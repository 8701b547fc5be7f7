#include "util/FileFinder.h"

#include "reporting/EventPump.h"
#include "util/Paths.h"
#include "util/FolderListing.h"
#include "util/NameMask.h"
#include "util/StringList.h"
#include "util/TextFunctions.h"

#include <QFile>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace quarvel {

bool FindStopFlag = false;

namespace {

constexpr qint32 AttrHidden = 2;
constexpr qint32 AttrSystem = 4;
constexpr qint32 AttrDirectory = 16;

qint32 AttributesOf(std::string_view name, EntryKind kind)
{
    qint32 attributes = 0;
    if (kind == EntryKind::Folder)
        attributes |= AttrDirectory;
    else if (kind == EntryKind::Other)
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
    std::vector<FolderEntry*> named;
    for (FolderEntry& entry : listing.Entries())
        if (search.mask.Matches(listing.NameOf(entry)))
            named.push_back(&entry);
    // A search that ends at its first entry stats only what it looks at.
    if (!search.stopAtFirst)
        listing.Prepare(named, search.collectSizes || search.sizeFilter);

    constexpr qint32 acting = AttrHidden | AttrSystem | AttrDirectory;
    for (FolderEntry* entry : named) {
        const EntryKind kind = listing.Resolve(*entry);
        if (kind == EntryKind::Missing)
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
    std::vector<FolderEntry*> all;
    for (FolderEntry& entry : listing.Entries())
        all.push_back(&entry);
    listing.Prepare(all, false);
    listing.Close();
    for (const FolderEntry& entry : listing.Entries()) {
        search.pump.ProcessEvents();
        if (entry.kind == EntryKind::Folder && listing.NameOf(entry).front() != '.')
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

qint64 GetFileSize64(const QString& FileName)
{
    struct stat info {};
    if (stat(QFile::encodeName(FileName).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return qint64(info.st_size);
}

} // namespace quarvel
