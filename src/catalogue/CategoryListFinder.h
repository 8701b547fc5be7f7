#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

// Where MAME users keep a full category list: catver.ini, then category.ini, each looked
// for in ~/.mame/folders/, ~/.mame/ini/, ~/.mame/ and the folder of the MAME executable.
class CategoryListFinder {
public:
    // homeFolder stands for "~"; mameExecutable is the remembered executable, empty for none.
    CategoryListFinder(QString homeFolder, QString mameExecutable);

    // The folders searched, in order.
    QStringList Folders() const;
    // Every list file present, in the order they are preferred.
    QStringList FindLists() const;

private:
    QString homeFolder_;
    QString mameExecutable_;
};

} // namespace quarvel
