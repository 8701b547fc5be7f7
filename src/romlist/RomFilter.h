#pragma once

#include "catalogue/Rom.h"
#include "romlist/RomFilterInputs.h"
#include "romlist/RomSearchIndex.h"

#include <QString>
#include <QStringList>

namespace quarvel {

class StringList;

// The Roms List filter: which machines of RomList the page shows. Keep one per RomList; it
// holds a side table (RomSearchIndex) that makes a refilter of the whole list cheap enough
// to run on every keystroke.
class RomFilter {
public:
    // Empties filteredRoms and appends a copy of every machine of romList, in order, whose
    // archive is present (unless inputs ask for every machine), that is an original or clones are shown, whose category's check-list
    // item is checked ("-Missing Category-" for an empty or unlisted category) and, when the
    // filter text is not empty, one of whose fields contains that text ignoring ASCII letter
    // case. Returns the number of rows.
    qsizetype Refilter(const RomTable& romList, const RomFilterInputs& inputs, RomTable& filteredRoms);

    // The check list's item texts for a list of category names: "-Missing Category-" first.
    static QStringList CategoryItemTexts(const StringList& categoryNames);
    // The caption that reports the number of rows: "Found: " and the count.
    static QString FoundCaption(qsizetype rows);

private:
    bool PassesCategory(std::size_t row, const std::vector<CategoryItem>& items) const;

    RomSearchIndex index_;
};

} // namespace quarvel
