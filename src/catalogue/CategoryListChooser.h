#pragma once

#include "catalogue/CategoryListFinder.h"

#include <QString>

namespace quarvel {

class CategoryTable;
class LogSink;
class StringList;
struct CategoriesChoice;

// Builds the category table from the list the user chose, from one found in the usual
// places, or from the built-in list, writing one log line per list it builds or refuses.
class CategoryListChooser {
public:
    // builtInListPath names the compressed built-in list (a resource path works).
    CategoryListChooser(QString builtInListPath, CategoryListFinder finder, LogSink& log);

    // The start-up choice: the remembered file (the built-in list when it is gone or refused),
    // the remembered built-in list, or, when nothing was chosen, the first list found that
    // loads, else the built-in list. Returns the file in use, empty for the built-in list.
    QString LoadAtStartup(const CategoriesChoice& remembered, CategoryTable& table, StringList& names);

    // Builds from a list file; when it is refused, logs why and keeps table and names.
    bool LoadFile(const QString& path, CategoryTable& table, StringList& names);

    // Builds from the built-in list; throws "Resource %1 not found" or the compression
    // library's error when it cannot be read.
    void LoadBuiltIn(CategoryTable& table, StringList& names);

private:
    QString LoadFirstFound(CategoryTable& table, StringList& names);

    QString builtInListPath_;
    CategoryListFinder finder_;
    LogSink& log_;
};

} // namespace quarvel
