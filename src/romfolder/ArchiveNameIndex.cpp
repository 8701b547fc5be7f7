#include "romfolder/ArchiveNameIndex.h"

#include "util/Paths.h"
#include "util/StringList.h"

namespace quarvel {

ArchiveNameIndex::ArchiveNameIndex(const StringList& paths, const TIntArray& sizes)
{
    Q_ASSERT(sizes.size() == std::size_t(paths.Count()));
    sizeByFoldedName_.reserve(paths.Count());
    sizeByName_.reserve(paths.Count());
    for (qsizetype i = 0; i < paths.Count(); ++i) {
        const QString name = ExtractFileName(paths[i]);
        const qint64 size = sizes[std::size_t(i)];
        sizeByName_.insert(name, size);
        const QString folded = name.toCaseFolded();
        if (!sizeByFoldedName_.contains(folded))
            sizeByFoldedName_.insert(folded, size);
    }
}

std::optional<qint64> ArchiveNameIndex::ListedSize(const QString& name) const
{
    // The exact spelling, by far the usual case, is found without folding letter case.
    auto found = sizeByName_.constFind(name);
    if (found == sizeByName_.constEnd()) {
        found = sizeByFoldedName_.constFind(name.toCaseFolded());
        if (found == sizeByFoldedName_.constEnd())
            return std::nullopt;
    }
    return *found;
}

} // namespace quarvel
