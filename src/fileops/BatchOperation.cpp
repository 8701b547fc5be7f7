#include "fileops/BatchOperation.h"

#include "fileops/ArchiveLocations.h"
#include "fileops/CancelFlag.h"
#include "reporting/EventPump.h"
#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"

#include <algorithm>
#include <array>
#include <exception>

namespace quarvel {

namespace {

constexpr int PumpEvery = 100;

struct OperationTexts {
    const char* item;
    const char* startLine;
    const char* errorPrefix;
    const char* finalSuffix;
};

constexpr std::array<OperationTexts, 4> Texts{{
    {"Delete clone files", "Deleting clones..", "Error: can't delete ", " clones deleted."},
    {"Move clone files", "Moving clones..", "Error: can't move ", " clones moved."},
    {"Move non-clones", "Moving originals..", "Error: can't move ", " originals moved."},
    {"Copy non-clones", "Copying originals..", "Error: can't copy ", " originals copied."},
}};

const OperationTexts& TextsOf(BatchOperation operation)
{
    return Texts[static_cast<std::size_t>(operation)];
}

FileActionResult Act(BatchOperation operation, const FileActions& actions, const QString& source,
                     const QString& destination)
{
    switch (operation) {
    case BatchOperation::DeleteClones:
        return actions.Delete(source);
    case BatchOperation::MoveClones:
    case BatchOperation::MoveOriginals:
        return actions.Move(source, destination);
    case BatchOperation::CopyOriginals:
        return actions.Copy(source, destination, BatchExistingDestination(operation));
    }
    return FileActionResult::Failed;
}

// One name's archive; anything that goes wrong on the way, running out of memory included, fails
// that name alone.
FileActionResult ActOnArchive(BatchOperation operation, const FileActions& actions, const ArchiveLocations& locations,
                              const QString& name)
{
    try {
        return Act(operation, actions, locations.SourcePath(name), BatchDestinationPath(operation, locations, name));
    } catch (const std::exception&) {
        return FileActionResult::Failed;
    }
}

// A name whose archive is not in the source folder is passed over without a word: most machines of a
// list have none. The action finds that out itself, so the common case costs no extra look.
bool ArchiveWasMissing(FileActionResult result)
{
    return result == FileActionResult::SourceMissing || result == FileActionResult::SourceIsFolder
           || result == FileActionResult::NoFolder;
}

} // namespace

QStringList BatchOperationItems()
{
    QStringList items;
    for (const OperationTexts& texts : Texts)
        items.append(QString::fromLatin1(texts.item));
    return items;
}

std::optional<BatchOperation> BatchOperationAt(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= int(Texts.size()))
        return std::nullopt;
    return static_cast<BatchOperation>(itemIndex);
}

bool WalksCloneNames(BatchOperation operation)
{
    return operation == BatchOperation::DeleteClones || operation == BatchOperation::MoveClones;
}

QString BatchDestinationPath(BatchOperation operation, const ArchiveLocations& locations, const QString& name)
{
    return operation == BatchOperation::DeleteClones ? QString() : locations.DestinationPath(name);
}

ExistingDestination BatchExistingDestination(BatchOperation operation)
{
    return operation == BatchOperation::CopyOriginals ? ExistingDestination::Replace : ExistingDestination::Keep;
}

BatchOutcome RunBatchOperation(BatchOperation operation, const QStringList& names, const ArchiveLocations& locations,
                               CancelFlag& cancel, LogSink& log, ProgressSink& progress, EventPump& pump,
                               const FileActions& actions)
{
    cancel.Clear();
    if (operation != BatchOperation::DeleteClones && !locations.CheckDestinationFolder(log))
        return {};
    const OperationTexts& texts = TextsOf(operation);
    // Events handled in the pump may refill the lists; the walk stays on the names it started with.
    const QStringList walked = names;
    if (!walked.isEmpty())
        progress.SetMaximum(ProgressValue(walked.size() - 1));
    log.AppendLine(QString::fromLatin1(texts.startLine));

    BatchOutcome outcome;
    int pumpCounter = 0;
    for (qsizetype i = 0; i < walked.size(); ++i) {
        if (cancel.IsRequested()) {
            log.AppendLine(QStringLiteral("Operation cancelled."));
            outcome.cancelled = true;
            break;
        }
        const FileActionResult result = ActOnArchive(operation, actions, locations, walked[i]);
        if (result == FileActionResult::Done)
            ++outcome.done;
        else if (!ArchiveWasMissing(result)) {
            ++outcome.failed;
            log.AppendLine(QString::fromLatin1(texts.errorPrefix) + locations.SourcePath(walked[i]));
        }
        if (++pumpCounter == PumpEvery) {
            pumpCounter = 0;
            progress.SetPosition(ProgressValue(i));
            pump.ProcessEvents();
        }
    }
    log.AppendLine(QStringLiteral("Done, ") + QString::number(outcome.done) + QString::fromLatin1(texts.finalSuffix));
    return outcome;
}

} // namespace quarvel
