#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quarvel::test {

// What one run of quarvel-cli left behind.
struct CliResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built quarvel-cli in folder with the arguments and waits for it to end.
CliResult RunCli(const QString& folder, const QStringList& arguments);

// The machine list, source folder and category list most cases run on: pacman and its clone
// puckman have 7-Zip archives, galaga has a zip only, and mystery has no category.
void WriteCollection(const QString& folder);

} // namespace quarvel::test
