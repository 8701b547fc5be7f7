#pragma once

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace quarvel {

// The bare names of the archives one folder listing found, for whole-name look-ups.
//
// Names are told apart by letter case only, through Unicode case folding (the rule of
// QString's case-insensitive comparison), not by the string lists' locale collation: that
// collation makes the answer depend on the user's locale in ways a file name should not (in
// Hungarian "pacs" and "pacS" differ while "ccs" and "cscs" are equal; most locales skip
// control characters). For names of plain ASCII letters, digits and punctuation, which is what
// MAME's short names are, both rules agree in the usual locales.
class ArchiveNameIndex {
public:
    // names in listing order.
    explicit ArchiveNameIndex(const std::vector<QString>& names);

    // The position in names of the archive called name: the entry spelled exactly so, else the
    // first listed whose name equals name with letter case ignored; nothing when none does.
    std::optional<std::size_t> Find(const QString& name) const;

private:
    // Archive names are nearly all already in their folded form (lower case), so one table by
    // folded name answers nearly every look-up, and only the other spellings need a second.
    struct FoldedEntries {
        std::size_t firstListed = 0;
        std::optional<std::size_t> spelledFolded; // the entry whose name is the folded name itself
    };

    QHash<QString, FoldedEntries> entriesByFoldedName_;
    QHash<QString, std::size_t> entryByOtherSpelling_;
};

} // namespace quarvel
