#include "util/FolderFiles.h"

#include "reporting/EventPump.h"
#include "util/FolderListing.h"
#include "util/NameMask.h"
#include "util/Paths.h"

#include <optional>

namespace quarvel {

struct FolderFiles::Reading {
    explicit Reading(const QString& folder)
        : listing(folder)
    {
    }

    FolderListing listing;
    std::vector<FolderEntry*> files;
    // Made once the files are known; destroyed first, so its threads end before the listing.
    std::optional<FolderListing::StatWork> sizes;
};

FolderFiles::FolderFiles(const QString& Folder, const QString& Mask, EventPump& pump)
{
    pump.ProcessEvents();
    reading_ = std::make_unique<Reading>(AddSlash(Folder));
    FolderListing& listing = reading_->listing;
    if (!listing.IsOpen())
        return;
    listing.ReadAll();
    const NameMask mask(Mask);
    // Links, and entries of file systems that do not say what they are, are statted here:
    // only then is it known whether they are files, and the names must be final.
    for (FolderEntry& entry : listing.Entries()) {
        if (!mask.Matches(listing.NameOf(entry)))
            continue;
        const EntryKind kind = listing.Resolve(entry);
        if (kind != EntryKind::Missing && kind != EntryKind::Folder)
            reading_->files.push_back(&entry);
    }
    reading_->sizes.emplace(listing, FolderListing::NeedingStats(reading_->files, true));

    names_.reserve(reading_->files.size());
    for (const FolderEntry* entry : reading_->files)
        names_.push_back(listing.DecodedName(*entry));
}

FolderFiles::~FolderFiles() = default;

qint64 FolderFiles::Size(std::size_t i)
{
    if (reading_->sizes)
        reading_->sizes->Finish();
    return reading_->listing.SizeOf(*reading_->files[i]);
}

} // namespace quarvel
