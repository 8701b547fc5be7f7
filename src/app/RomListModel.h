#pragma once

#include "catalogue/Rom.h"

#include <QAbstractTableModel>

namespace quarvel {

// The rows of the Roms List: the view holds only a row count and asks for the texts of the
// rows it paints. The rows are FilteredRoms itself; whoever replaces them says so through
// RowsChanged, and a request beyond the table (possible while an import has resized it and
// the view still holds the earlier count) shows empty texts.
class RomListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { RomColumn, GameColumn, YearColumn, ManufacturerColumn, CategoryColumn, SizeColumn, ColumnCount };

    explicit RomListModel(const RomTable& rows, QObject* parent = nullptr);

    void RowsChanged();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static int ColumnWidth(int column);

private:
    QString CellText(const Rom& rom, int column) const;

    const RomTable& rows_;
};

} // namespace quarvel
