#pragma once

#include "cli/CliOptions.h"

#include <QStringList>

namespace quarvel {

// Reads the subcommand and its options from the program's arguments.
class CliArguments {
public:
    // Throws a CliError with status 2 for an unknown subcommand or option, an option the
    // subcommand does not take, a missing value or a missing required option. --help and
    // --version are answered before the required options are looked for.
    static CliOptions Parse(const QStringList& arguments);
};

} // namespace quarvel
