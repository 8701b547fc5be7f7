#pragma once

#include <QString>

namespace quarvel {

// One element of the category table: a machine short name and its category.
struct Genres {
    QString Category;
    QString RomName;
};

} // namespace quarvel
