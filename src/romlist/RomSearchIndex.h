#pragma once

#include "catalogue/Rom.h"
#include "romlist/RomFilterInputs.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <vector>

namespace quarvel {

// The filter's side table beside RomList, one entry per machine: its five searched fields
// folded to ASCII lower case in one text, and the index of the check-list item that governs
// its category. Every keystroke refilters the whole table, so the folding and the look-up
// are done once per machine instead of once per keystroke.
//
// The index keeps the texts it was built from; a sync compares them with the table and
// re-indexes only machines whose texts changed, so an import or a new category list is
// picked up without the caller having to say so. Texts compare as values: two QStrings
// that share their data compare in constant time.
class RomSearchIndex {
public:
    // Brings the index up to date with the machines and the check list's item texts.
    void Sync(const RomTable& roms, const std::vector<CategoryItem>& items);

    // True when foldedText (already ASCII lower case, not empty) occurs within one of the
    // five searched fields of the machine at row.
    bool Contains(std::size_t row, QStringView foldedText) const;
    // The first check-list item whose text equals the machine's category, ignoring letter
    // case; 0, "-Missing Category-", when none does or the category is empty.
    int CategoryItemIndex(std::size_t row) const { return entries_[row].categoryItem; }

private:
    static constexpr std::size_t FieldCount = 5;

    struct Entry {
        bool indexed = false;
        std::array<QString, FieldCount> fields; // the texts indexed, to see changes by
        QString haystack;                       // folded fields, each pair parted by one character
        std::array<qsizetype, FieldCount - 1> partings{};
        int categoryItem = 0;
    };

    static std::array<QString, FieldCount> SearchedFields(const Rom& rom);
    static bool IndexedFrom(const Entry& entry, const Rom& rom);
    bool SyncItems(const std::vector<CategoryItem>& items);
    void IndexFields(Entry& entry, std::array<QString, FieldCount> fields) const;
    int ItemIndexOf(const QString& category);

    std::vector<Entry> entries_;
    QStringList itemTexts_;
    QHash<QString, int> itemByFoldedText_;
    QHash<QString, int> itemByCategory_; // each distinct category text folded and looked up once
};

} // namespace quarvel
