#include "app/RomListModel.h"

#include "util/SizeText.h"

#include <algorithm>
#include <climits>

namespace quarvel {

namespace {

struct ColumnInfo {
    const char* caption;
    int width;
};

constexpr ColumnInfo Columns[RomListModel::ColumnCount] = {
    {"Rom", 60}, {"Game", 200}, {"Year", 50}, {"Manufacturer", 100}, {"Category", 125}, {"Size", 70}};

} // namespace

RomListModel::RomListModel(const RomTable& rows, QObject* parent)
    : QAbstractTableModel(parent)
    , rows_(rows)
{
}

void RomListModel::RowsChanged()
{
    beginResetModel();
    endResetModel();
}

int RomListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(rows_.size(), INT_MAX));
}

int RomListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RomListModel::data(const QModelIndex& index, int role) const
{
    // Long texts are cut short on their one line; the tooltip shows them whole.
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= rows_.size())
        return QString();
    return CellText(rows_[row], index.column());
}

QString RomListModel::CellText(const Rom& rom, int column) const
{
    switch (column) {
    case RomColumn:
        return rom.RomFile;
    case GameColumn:
        return rom.GameName;
    case YearColumn:
        return rom.Year;
    case ManufacturerColumn:
        return rom.Manufacturer;
    case CategoryColumn:
        return rom.Category;
    default:
        return FormatSize(rom.Size);
    }
}

QVariant RomListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(Columns[section].caption);
}

int RomListModel::ColumnWidth(int column)
{
    return Columns[column].width;
}

} // namespace quarvel
