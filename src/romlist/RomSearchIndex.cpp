#include "romlist/RomSearchIndex.h"

#include "util/TextFunctions.h"

#include <algorithm>

namespace quarvel {

namespace {

// Any character would do: a match is accepted only when it lies within one field.
constexpr QChar Parting = u'\n';

// The entry holds a reference to the text it indexed, so while the record still shares that
// data it can be neither freed nor changed in place: sharing it means holding the same text.
bool SameText(const QString& indexed, const QString& current)
{
    return (indexed.constData() == current.constData() && indexed.size() == current.size()) || indexed == current;
}

} // namespace

std::array<QString, RomSearchIndex::FieldCount> RomSearchIndex::SearchedFields(const Rom& rom)
{
    // The order in which the filter text is looked for.
    return {rom.RomFile, rom.GameName, rom.Category, rom.Year, rom.Manufacturer};
}

// Compares in place: copying the five texts of every machine on every keystroke would cost
// more than the whole filter.
bool RomSearchIndex::IndexedFrom(const Entry& entry, const Rom& rom)
{
    return SameText(entry.fields[0], rom.RomFile) && SameText(entry.fields[1], rom.GameName) &&
           SameText(entry.fields[2], rom.Category) && SameText(entry.fields[3], rom.Year) &&
           SameText(entry.fields[4], rom.Manufacturer);
}

void RomSearchIndex::Sync(const RomTable& roms, const std::vector<CategoryItem>& items)
{
    const bool itemsChanged = SyncItems(items);
    entries_.resize(roms.size());
    for (std::size_t row = 0; row < roms.size(); ++row) {
        Entry& entry = entries_[row];
        if (!entry.indexed || !IndexedFrom(entry, roms[row])) {
            IndexFields(entry, SearchedFields(roms[row]));
            entry.categoryItem = ItemIndexOf(roms[row].Category);
        } else if (itemsChanged) {
            entry.categoryItem = ItemIndexOf(roms[row].Category);
        }
    }
}

bool RomSearchIndex::SyncItems(const std::vector<CategoryItem>& items)
{
    QStringList texts;
    texts.reserve(qsizetype(items.size()));
    for (const CategoryItem& item : items)
        texts.append(item.Text);
    if (texts == itemTexts_)
        return false;

    itemTexts_ = std::move(texts);
    itemByFoldedText_.clear();
    itemByCategory_.clear();
    for (int i = 0; i < itemTexts_.size(); ++i) {
        const QString folded = itemTexts_[i].toCaseFolded();
        if (!itemByFoldedText_.contains(folded))
            itemByFoldedText_.insert(folded, i);
    }
    return true;
}

void RomSearchIndex::IndexFields(Entry& entry, std::array<QString, FieldCount> fields) const
{
    entry.haystack.clear();
    for (std::size_t i = 0; i < FieldCount; ++i) {
        if (i > 0) {
            entry.partings[i - 1] = entry.haystack.size();
            entry.haystack.append(Parting);
        }
        entry.haystack.append(LowerAscii(fields[i]));
    }
    entry.fields = std::move(fields);
    entry.indexed = true;
}

int RomSearchIndex::ItemIndexOf(const QString& category)
{
    if (category.isEmpty())
        return 0;
    const auto cached = itemByCategory_.constFind(category);
    if (cached != itemByCategory_.constEnd())
        return cached.value();
    const int item = itemByFoldedText_.value(category.toCaseFolded(), 0);
    itemByCategory_.insert(category, item);
    return item;
}

bool RomSearchIndex::Contains(std::size_t row, QStringView foldedText) const
{
    const Entry& entry = entries_[row];
    const QStringView haystack(entry.haystack);
    for (qsizetype at = haystack.indexOf(foldedText); at >= 0; at = haystack.indexOf(foldedText, at + 1)) {
        const qsizetype end = at + foldedText.size();
        const bool withinOneField = std::none_of(entry.partings.begin(), entry.partings.end(),
                                                 [&](qsizetype parting) { return parting >= at && parting < end; });
        if (withinOneField)
            return true;
    }
    return false;
}

} // namespace quarvel
