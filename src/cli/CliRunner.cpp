#include "cli/CliRunner.h"

#include "cli/BatchPreview.h"
#include "cli/CliArguments.h"
#include "cli/CliError.h"
#include "cli/CliHelp.h"
#include "cli/CliSession.h"
#include "cli/InterruptCancel.h"
#include "cli/RomRowWriter.h"
#include "cli/StreamLog.h"
#include "fileops/ArchiveLocations.h"
#include "fileops/CancelFlag.h"
#include "util/Paths.h"
#include "util/SizeText.h"

#include <cstdio>
#include <exception>

namespace quarvel {

namespace {

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

// A move or copy into a folder that is not there is refused before the list is even read.
void CheckOutputFolder(const CliOptions& options, BatchOperation operation)
{
    if (operation != BatchOperation::DeleteClones && !FolderExists(options.outputFolder))
        throw CliError(QStringLiteral("output folder not found: %1").arg(options.outputFolder));
}

} // namespace

int CliRunner::Run(const QStringList& arguments)
{
    try {
        return RunCommand(CliArguments::Parse(arguments));
    } catch (const CliError& error) {
        Print(stderr, QStringLiteral("quarvel-cli: %1\n").arg(error.Message()));
        return error.Status();
    } catch (const std::exception& error) {
        Print(stderr, QStringLiteral("quarvel-cli: %1\n").arg(QString::fromLocal8Bit(error.what())));
        return CliError::BadInputStatus;
    }
}

int CliRunner::RunCommand(const CliOptions& options)
{
    if (options.help) {
        Print(stdout, CliHelp::UsageOf(options.command));
        return Succeeded;
    }
    if (options.version) {
        Print(stdout, CliHelp::VersionLine());
        return Succeeded;
    }
    const std::optional<BatchOperation> operation = BatchOperationOf(options.command);
    if (operation)
        CheckOutputFolder(options, *operation);
    CliSession session(options);
    session.Load();
    if (operation)
        return Operate(options, *operation, session);
    if (options.command == CliCommand::Size)
        return Size(session);
    return List(options, session);
}

int CliRunner::List(const CliOptions& options, CliSession& session)
{
    const RomTable& rows = session.Filtered(false);
    RomRowWriter writer(options.format, stdout);
    for (const Rom& rom : rows)
        writer.Write(rom);
    return Succeeded;
}

int CliRunner::Size(CliSession& session)
{
    std::int64_t total = 0;
    for (const Rom& rom : session.Filtered(true))
        total += rom.Size;
    Print(stdout, QStringLiteral("%1\t%2\n").arg(QString::number(total), FormatSize(total)));
    return Succeeded;
}

int CliRunner::Operate(const CliOptions& options, BatchOperation operation, CliSession& session)
{
    const Session& engine = session.Engine();
    const QStringList& names = engine.BatchNames(operation);
    const ArchiveLocations locations = engine.BatchLocations();
    if (options.dryRun) {
        BatchPreview::Print(operation, names, locations, stdout);
        return Succeeded;
    }
    StreamLog log(stdout);
    TerminalProgress progress;
    NoEventPump pump;
    CancelFlag cancel;
    const InterruptCancel interrupt(cancel);
    const BatchOutcome outcome = RunBatchOperation(operation, names, locations, cancel, log, progress, pump);
    return outcome.failed > 0 ? FileOperationFailed : Succeeded;
}

} // namespace quarvel
