#include "romfolder/ArchiveNameIndex.h"

namespace quarvel {

ArchiveNameIndex::ArchiveNameIndex(const std::vector<ListedFile>& files)
{
    sizesByFoldedName_.reserve(qsizetype(files.size()));
    for (const ListedFile& file : files) {
        const QString folded = file.Name.toCaseFolded();
        auto sizes = sizesByFoldedName_.find(folded);
        if (sizes == sizesByFoldedName_.end())
            sizes = sizesByFoldedName_.insert(folded, FoldedSizes{file.Size, std::nullopt});
        if (folded == file.Name)
            sizes->spelledFolded = file.Size;
        else
            sizeByOtherSpelling_.insert(file.Name, file.Size);
    }
}

std::optional<qint64> ArchiveNameIndex::ListedSize(const QString& name) const
{
    const QString folded = name.toCaseFolded();
    const bool spelledFolded = folded == name;
    if (!spelledFolded) {
        const auto exact = sizeByOtherSpelling_.constFind(name);
        if (exact != sizeByOtherSpelling_.constEnd())
            return *exact;
    }
    const auto found = sizesByFoldedName_.constFind(folded);
    if (found == sizesByFoldedName_.constEnd())
        return std::nullopt;
    return spelledFolded && found->spelledFolded ? found->spelledFolded : found->firstListed;
}

} // namespace quarvel
