#include "romfolder/ArchiveNameIndex.h"

namespace quarvel {

ArchiveNameIndex::ArchiveNameIndex(const std::vector<QString>& names)
{
    entriesByFoldedName_.reserve(qsizetype(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        const QString folded = name.toCaseFolded();
        auto entries = entriesByFoldedName_.find(folded);
        if (entries == entriesByFoldedName_.end())
            entries = entriesByFoldedName_.insert(folded, FoldedEntries{i, std::nullopt});
        if (folded == name)
            entries->spelledFolded = i;
        else
            entryByOtherSpelling_.insert(name, i);
    }
}

std::optional<std::size_t> ArchiveNameIndex::Find(const QString& name) const
{
    const QString folded = name.toCaseFolded();
    const bool spelledFolded = folded == name;
    if (!spelledFolded) {
        const auto exact = entryByOtherSpelling_.constFind(name);
        if (exact != entryByOtherSpelling_.constEnd())
            return *exact;
    }
    const auto found = entriesByFoldedName_.constFind(folded);
    if (found == entriesByFoldedName_.constEnd())
        return std::nullopt;
    return spelledFolded && found->spelledFolded ? found->spelledFolded : found->firstListed;
}

} // namespace quarvel
