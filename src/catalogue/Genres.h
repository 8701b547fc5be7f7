#pragma once

#include <QString>
#include <QStringView>

namespace quarvel {

// One element of the category table: a machine short name and its category.
//
// RomName views the text of the table it came from, which holds all its names in one buffer:
// tens of thousands of names, each allocated on its own, made up half the build time. It is
// valid while that table, or a copy of it, lives and is not rebuilt; keep a QString to hold
// a name longer.
struct Genres {
    QString Category;
    QStringView RomName;
};

} // namespace quarvel
