#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

namespace quarvel {

class CategoryTable;
class LogSink;
class StringList;

enum class CategoryListFormat {
    Sections, // "[Category]" lines each followed by machine names: category.ini, the built-in list
    Catver,   // a "[Category]" section of "name=Main / Sub" lines: catver.ini
};

struct CategoryListSummary {
    CategoryListFormat Format;
    qsizetype Categories;
    qsizetype Machines;
};

// A category list file the user keeps, in either format.
class CategoryListFile {
public:
    // Far above any real list (a full catver.ini is about 2 MB): a larger file is refused
    // before anything of it is read.
    static constexpr std::int64_t MaxBytes = std::int64_t(64) << 20;

    // Builds table and names from the file. When the file cannot be read, is empty, binary,
    // too large or in neither format, throws a QuarvelError whose message is the one log
    // line to show, and leaves table and names as they were.
    static CategoryListSummary Load(const QString& path, CategoryTable& table, StringList& names);

    // The format of a lines text (see TextLines), decided by its first line that only one
    // format allows; nothing when no such line comes.
    static std::optional<CategoryListFormat> DetectFormat(QByteArrayView linesText);

    // The log line of a list loaded from a file.
    static QString LoadedLine(const QString& path, const CategoryListSummary& summary, std::int64_t elapsedMs);

    // Load, then the log line of the list loaded; throws as Load does, logging nothing.
    static void LoadLogged(const QString& path, CategoryTable& table, StringList& names, LogSink& log);
    // Builds table and names from the zlib-compressed built-in list and logs the time taken.
    static void BuildBuiltIn(const QByteArray& compressedList, CategoryTable& table, StringList& names, LogSink& log);
};

} // namespace quarvel
