#pragma once

#include "fileops/FileActions.h"

#include <QStringList>

#include <optional>

namespace quarvel {

class CancelFlag;
class EventPump;
class LogSink;
class ProgressSink;
struct ArchiveLocations;

// The batch operations over the clone and original name lists, in the order of ComboBox1's items.
enum class BatchOperation { DeleteClones, MoveClones, MoveOriginals, CopyOriginals };

// The texts of ComboBox1's items, in the order of BatchOperation.
QStringList BatchOperationItems();
// The operation of a ComboBox1 item index; nothing for an index outside the four items.
std::optional<BatchOperation> BatchOperationAt(int itemIndex);
// True when the operation walks CloneNames, false when it walks OriginalNames.
bool WalksCloneNames(BatchOperation operation);
// Where the operation puts the archive of name; empty for a deletion.
QString BatchDestinationPath(BatchOperation operation, const ArchiveLocations& locations, const QString& name);
// Whether the operation replaces an archive already at its destination; only the copy does.
ExistingDestination BatchExistingDestination(BatchOperation operation);

struct BatchOutcome {
    int done = 0;           // archives deleted, moved or copied
    int failed = 0;         // archives whose action failed, each with its error line
    bool cancelled = false; // the cancel flag stopped the walk before its end
};

// Deletes, moves or copies the archive of every name whose archive is in the source folder, logging the
// start line, an error line per archive that fails and the final line with the count. Names without an
// archive are passed over silently. Every 100 names the progress moves to the index reached and the pump
// runs; the cancel flag, cleared on entry, is read before every name. A move or copy whose destination
// folder is not set or does not exist logs one error line and touches nothing. Deletions never read the
// destination folder. Moves never replace an archive; the copy replaces one.
BatchOutcome RunBatchOperation(BatchOperation operation, const QStringList& names, const ArchiveLocations& locations,
                               CancelFlag& cancel, LogSink& log, ProgressSink& progress, EventPump& pump,
                               const FileActions& actions = FileActions());

} // namespace quarvel
