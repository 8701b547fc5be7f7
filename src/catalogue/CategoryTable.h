#pragma once

#include "catalogue/Genres.h"
#include "catalogue/Rom.h"
#include "util/FoldedNameIndex.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace quarvel {

class StringList;

// The category table: machine short name to category. It is built from a category list in
// one of two formats: the sectioned one ("[Category]" lines each followed by one machine
// name per line, the format of the built-in list) or catver.ini (a "[Category]" section of
// "name=Main / Sub" lines). Every build empties the table and the names first.
class CategoryTable {
public:
    // Inflates the zlib-compressed sectioned list and builds from it. Throws the compression
    // library's error, leaving table and names as they were, when the data does not inflate.
    void Build(QByteArray compressedList, StringList& names);

    // Builds from the lines text (see TextLines) of a sectioned list; the distinct category
    // names are added to names (a sorted list that ignores duplicates).
    void BuildFromSections(QByteArrayView linesText, StringList& names);

    // Builds from the lines text of a catver.ini: entries of its [Category] section in file
    // order, the categories named by the values. Other sections and ";" comments are ignored.
    void BuildFromCatver(QByteArrayView linesText, StringList& names);

    // The category of the first element whose machine name equals name, ignoring ASCII
    // letter case; empty when there is none.
    QString FindCategory(const QString& name) const;

    // Gives every machine its category from this table (empty where the table has none).
    void AssignCategories(RomTable& roms) const;

    const std::vector<Genres>& GenreList() const { return genreList_; }

    // "[...]", a section header of either format, without the line's surrounding blanks.
    static bool IsSectionHeader(QByteArrayView trimmedLine);
    // The header of catver.ini's section of categories, in any letter case.
    static bool IsCatverCategoryHeader(QByteArrayView trimmedLine);

private:
    // Empties the table and the names, making room for the machines of linesText.
    void Clear(StringList& names, QByteArrayView linesText);
    // romName is UTF-8; its text goes into romNames_.
    void AddMachine(const QString& category, QByteArrayView romName);

    std::vector<Genres> genreList_;
    // Every machine name of the table, one after the other. It is given room for the whole
    // list text before a build, so it never moves while the elements' views are made.
    QString romNames_;
    FoldedNameIndex firstByName_;
};

} // namespace quarvel
