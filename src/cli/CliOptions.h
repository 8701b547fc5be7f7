#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

enum class CliCommand { None, List, Size, DeleteClones, MoveClones, MoveOriginals, CopyOriginals };

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
