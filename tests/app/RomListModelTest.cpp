#include "app/RomListModel.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

TEST(RomListModel, ShowsTheRowsColumnsAndEmptyTextsPastTheTable)
{
    RomTable rows;
    RomListModel model(rows);
    EXPECT_EQ(model.rowCount(), 0);
    rows.resize(3);
    model.RowsChanged();
    ASSERT_EQ(model.rowCount(), 3);
    const QModelIndex pastTheEnd = model.index(2, 0);
    rows[0] = Rom{QStringLiteral("pacman"), QStringLiteral("Pac-Man (Midway)"), QStringLiteral("Maze / Collect"),
                  QStringLiteral("1980"), QStringLiteral("Namco (Midway license)"), true, true, 1234};
    // A shorter import resizes the table before the view hears of it: rows past it show empty texts.
    rows.resize(1);
    EXPECT_EQ(model.data(pastTheEnd).toString(), QString());
    ASSERT_EQ(model.columnCount(), 6);
    const QStringList captions = {"Rom", "Game", "Year", "Manufacturer", "Category", "Size"};
    const QStringList texts = {"pacman", "Pac-Man (Midway)", "1980", "Namco (Midway license)", "Maze / Collect"};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
        EXPECT_EQ(model.index(0, column).data().toString(), texts[column]);
    }
    EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Size"));
    EXPECT_EQ(RomListModel::ColumnWidth(RomListModel::GameColumn), 200);
}

} // namespace
} // namespace quarvel
