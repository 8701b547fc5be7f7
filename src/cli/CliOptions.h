#pragma once

#include "fileops/BatchOperation.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quarvel {

enum class CliCommand { None, List, Size, DeleteClones, MoveClones, MoveOriginals, CopyOriginals };

// The batch operation a command runs; nothing for the commands that only read.
inline std::optional<BatchOperation> BatchOperationOf(CliCommand command)
{
    switch (command) {
    case CliCommand::DeleteClones:
        return BatchOperation::DeleteClones;
    case CliCommand::MoveClones:
        return BatchOperation::MoveClones;
    case CliCommand::MoveOriginals:
        return BatchOperation::MoveOriginals;
    case CliCommand::CopyOriginals:
        return BatchOperation::CopyOriginals;
    case CliCommand::None:
    case CliCommand::List:
    case CliCommand::Size:
        break;
    }
    return std::nullopt;
}

enum class RowFormat { Tsv, Json };

// What one run of the command line was asked to do.
struct CliOptions {
    CliCommand command = CliCommand::None;
    bool help = false;
    bool version = false;

    QString listPath;
    QString sourceFolder; // ends with its delimiter, as the window's folder picker leaves it
    QString outputFolder; // likewise
    int sourceType = 0;   // as the window's source choice: 0 for 7-Zip, 1 for zips
    QString categoriesPath;

    RowFormat format = RowFormat::Tsv;
    bool present = false;
    bool noClones = false;
    QString filterText;
    QStringList categories;

    bool dryRun = false;
};

} // namespace quarvel
