#pragma once

#include "catalogue/Rom.h"

#include <QString>

#include <cstdint>

namespace quarvel {

class CategoryTable;
class EventPump;
class InPlaceText;
class ProgressSink;
class StringList;
class TextLines;

// The tables an import replaces.
struct MachineTables {
    RomTable& RomList;
    RomTable& FilteredRoms;
    StringList& CloneNames;
    StringList& OriginalNames;
};

// Turns the text of a MAME machine list into the machine tables: one record per "machine"
// element with its short name, description, year, manufacturer, clone flag and category.
class MachineListImport {
public:
    // Fills the tables from the list's text and returns the parse time in whole milliseconds.
    // Records at indexes that existed before keep their archive state until the next match.
    static std::int64_t Parse(const TextLines& xmlLines, const CategoryTable& categories, MachineTables tables,
                              ProgressSink& progress, EventPump& pump);
    // The same records from a list read in place.
    static std::int64_t Parse(const InPlaceText& xmlText, const CategoryTable& categories, MachineTables tables,
                              ProgressSink& progress, EventPump& pump);

    // The log line that sums up an import.
    static QString SummaryLine(qsizetype originals, qsizetype clones, std::int64_t parseMs);
};

} // namespace quarvel
