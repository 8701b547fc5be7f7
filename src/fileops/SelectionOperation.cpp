#include "fileops/SelectionOperation.h"

#include "fileops/ArchiveLocations.h"
#include "reporting/EventPump.h"
#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"

#include <algorithm>
#include <exception>

namespace quarvel {

namespace {

constexpr int PumpEvery = 100;

struct SelectedArchive {
    std::size_t row;
    QString romFile;
};

RowIndexes RowsInTable(const RomTable& FilteredRoms, RowIndexes selectedRows)
{
    std::sort(selectedRows.begin(), selectedRows.end());
    selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
    const auto pastEnd = std::lower_bound(selectedRows.begin(), selectedRows.end(), FilteredRoms.size());
    selectedRows.erase(pastEnd, selectedRows.end());
    return selectedRows;
}

// Taken before the first pump: events handled there may rebuild FilteredRoms.
std::vector<SelectedArchive> SelectedArchives(const RomTable& FilteredRoms, const RowIndexes& selectedRows)
{
    std::vector<SelectedArchive> archives;
    for (const std::size_t row : RowsInTable(FilteredRoms, selectedRows))
        archives.push_back({row, FilteredRoms[row].RomFile});
    return archives;
}

// Anything that goes wrong on the way, running out of memory included, fails that row alone.
bool ActOnArchive(SelectionAction action, const FileActions& actions, const ArchiveLocations& locations,
                  const QString& romFile)
{
    try {
        const QString source = locations.SourcePath(romFile);
        FileActionResult result = FileActionResult::Failed;
        switch (action) {
        case SelectionAction::Copy:
            result = actions.Copy(source, locations.DestinationPath(romFile), ExistingDestination::Keep);
            break;
        case SelectionAction::Move:
            result = actions.Move(source, locations.DestinationPath(romFile));
            break;
        case SelectionAction::Delete:
            result = actions.Delete(source);
            break;
        }
        return result == FileActionResult::Done;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

int RunSelectionOperation(SelectionAction action, const RomTable& FilteredRoms, const RowIndexes& selectedRows,
                          const ArchiveLocations& locations, LogSink& log, ProgressSink& progress, EventPump& pump,
                          const FileActions& actions)
{
    if (action != SelectionAction::Delete && !locations.CheckDestinationFolder(log))
        return 0;
    const std::vector<SelectedArchive> archives = SelectedArchives(FilteredRoms, selectedRows);
    const int rowCount = ProgressValue(FilteredRoms.size());
    progress.SetMaximum(rowCount);
    progress.SetPosition(0);

    int processed = 0;
    int pumpCounter = 0;
    for (const SelectedArchive& archive : archives) {
        if (ActOnArchive(action, actions, locations, archive.romFile))
            ++processed;
        else
            log.AppendLine(QStringLiteral("Failed: ") + locations.ArchiveName(archive.romFile));
        if (++pumpCounter == PumpEvery) {
            pumpCounter = 0;
            progress.SetPosition(ProgressValue(archive.row));
            pump.ProcessEvents();
        }
    }
    progress.SetPosition(rowCount);
    log.AppendLine(QStringLiteral("Finished, files processed: ") + QString::number(processed));
    return processed;
}

SelectionSize CountSelectionSize(const RomTable& FilteredRoms, const RowIndexes& selectedRows)
{
    SelectionSize size;
    for (const std::size_t row : RowsInTable(FilteredRoms, selectedRows)) {
        size.totalBytes += FilteredRoms[row].Size;
        ++size.rows;
    }
    return size;
}

} // namespace quarvel
