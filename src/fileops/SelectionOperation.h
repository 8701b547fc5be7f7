#pragma once

#include "catalogue/Rom.h"
#include "fileops/FileActions.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarvel {

class EventPump;
class LogSink;
class ProgressSink;
struct ArchiveLocations;

// The file actions of the Roms List's context menu.
enum class SelectionAction { Copy, Move, Delete };

// Indexes of selected rows of FilteredRoms, in any order; indexes past its end select nothing.
using RowIndexes = std::vector<std::size_t>;

// Copies, moves or deletes the archive of every selected row, in row order, and returns how many it
// processed. A row that fails logs "Failed: " and its archive name. The progress runs from 0 to the row
// count of FilteredRoms, moving to the row reached and pumping once per 100 selected rows. Copies and
// moves never replace a file in the destination folder; when that folder is not set or does not exist,
// one error line is logged and nothing is touched. Deletions never read the destination folder.
int RunSelectionOperation(SelectionAction action, const RomTable& FilteredRoms, const RowIndexes& selectedRows,
                          const ArchiveLocations& locations, LogSink& log, ProgressSink& progress, EventPump& pump,
                          const FileActions& actions = FileActions());

struct SelectionSize {
    std::int64_t totalBytes = 0; // the sum of the selected rows' Size
    std::size_t rows = 0;        // the selected rows that count
};

SelectionSize CountSelectionSize(const RomTable& FilteredRoms, const RowIndexes& selectedRows);

} // namespace quarvel
