#pragma once

#include "cli/CliOptions.h"

#include <QString>

namespace quarvel {

// The usage texts --help prints, for the program and for each of its commands.
class CliHelp {
public:
    static QString UsageOf(CliCommand command);
    static QString VersionLine();
};

} // namespace quarvel
