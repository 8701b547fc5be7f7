#pragma once

#include <QString>

#include <vector>

namespace quarvel {

// One item of the category check list: "-Missing Category-" first, then the category names.
struct CategoryItem {
    QString Text;
    bool Checked = true;
};

// What the Roms List page filters by.
struct RomFilterInputs {
    QString FilterText;                    // empty: no text filter
    bool ShowClones = false;               // the "Clones" switch
    std::vector<CategoryItem> CategoryItems; // the check list's items in their order
    bool OnlyPresent = true;                 // the page lists only machines with an archive
};

} // namespace quarvel
