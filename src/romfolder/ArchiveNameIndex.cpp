#include "romfolder/ArchiveNameIndex.h"

#include "util/Paths.h"
#include "util/StringList.h"

namespace quarvel {

ArchiveNameIndex::ArchiveNameIndex(const StringList& paths, const TIntArray& sizes)
{
    const bool sized = sizes.size() == std::size_t(paths.Count());
    foldedNames_.reserve(paths.Count());
    if (sized)
        sizeByName_.reserve(paths.Count());
    for (qsizetype i = 0; i < paths.Count(); ++i) {
        const QString name = ExtractFileName(paths[i]);
        foldedNames_.insert(name.toCaseFolded());
        if (sized)
            sizeByName_.insert(name, sizes[std::size_t(i)]);
    }
}

bool ArchiveNameIndex::Contains(const QString& name) const
{
    return foldedNames_.contains(name.toCaseFolded());
}

std::optional<qint64> ArchiveNameIndex::ListedSize(const QString& name) const
{
    const auto found = sizeByName_.constFind(name);
    if (found == sizeByName_.constEnd())
        return std::nullopt;
    return *found;
}

} // namespace quarvel
