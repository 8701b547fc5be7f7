#pragma once

#include "util/FileFinder.h"

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
    // files in listing order.
    explicit ArchiveNameIndex(const std::vector<ListedFile>& files);

    // The size of the listed archive called name: the entry spelled exactly so, else the first
    // listed whose name equals name with letter case ignored; nothing when none does.
    std::optional<qint64> ListedSize(const QString& name) const;

private:
    // Archive names are nearly all already in their folded form (lower case), so one table by
    // folded name answers nearly every look-up, and only the other spellings need a second.
    struct FoldedSizes {
        qint64 firstListed = 0;
        std::optional<qint64> spelledFolded; // the entry whose name is the folded name itself
    };

    QHash<QString, FoldedSizes> sizesByFoldedName_;
    QHash<QString, qint64> sizeByOtherSpelling_;
};

} // namespace quarvel
