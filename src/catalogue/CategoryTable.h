#pragma once

#include "catalogue/Genres.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

namespace quarvel {

class StringList;

// The category table: machine short name to category, built from a category list of
// "[Category]" sections each followed by one machine name per line.
class CategoryTable {
public:
    // Inflates the zlib-compressed list and rebuilds the table; the distinct category names
    // are added to names (a sorted list that ignores duplicates), which is emptied first.
    // Throws the compression library's error when the data does not inflate.
    void Build(QByteArray compressedList, StringList& names);

    // The category of the first element whose machine name equals name, ignoring ASCII
    // letter case; empty when there is none.
    QString FindCategory(const QString& name) const;

    const std::vector<Genres>& GenreList() const { return genreList_; }

private:
    void AddMachine(const QString& category, QString romName);

    std::vector<Genres> genreList_;
    QHash<QString, qsizetype> firstIndexByFoldedName_;
};

} // namespace quarvel
