#include "romlist/RomFilter.h"

#include "util/StringList.h"
#include "util/TextFunctions.h"

namespace quarvel {

namespace {

bool IsChecked(const std::vector<CategoryItem>& items, int item)
{
    return std::size_t(item) < items.size() && items[std::size_t(item)].Checked;
}

} // namespace

qsizetype RomFilter::Refilter(const RomTable& romList, const RomFilterInputs& inputs, RomTable& filteredRoms)
{
    index_.Sync(romList, inputs.CategoryItems);
    const QString foldedText = LowerAscii(inputs.FilterText);

    filteredRoms.clear();
    for (std::size_t row = 0; row < romList.size(); ++row) {
        const Rom& rom = romList[row];
        if ((!rom.InDisk && inputs.OnlyPresent) || (rom.IsClone && !inputs.ShowClones) || !PassesCategory(row, inputs.CategoryItems))
            continue;
        if (foldedText.isEmpty() || index_.Contains(row, foldedText))
            filteredRoms.push_back(rom);
    }
    return qsizetype(filteredRoms.size());
}

bool RomFilter::PassesCategory(std::size_t row, const std::vector<CategoryItem>& items) const
{
    // A machine without a category has item 0, "-Missing Category-", in the index.
    return IsChecked(items, index_.CategoryItemIndex(row));
}

QStringList RomFilter::CategoryItemTexts(const StringList& categoryNames)
{
    return QStringList{QStringLiteral("-Missing Category-")} + categoryNames.Lines();
}

QString RomFilter::FoundCaption(qsizetype rows)
{
    return QStringLiteral("Found: ") + QString::number(rows);
}

} // namespace quarvel
