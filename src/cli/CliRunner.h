#pragma once

#include "cli/CliOptions.h"
#include "fileops/BatchOperation.h"

#include <QStringList>

namespace quarvel {

class CliSession;

// One run of quarvel-cli: reads the arguments, runs the command and gives the exit status.
class CliRunner {
public:
    static constexpr int Succeeded = 0;
    static constexpr int FileOperationFailed = 1;

    // Returns the exit status; the one line that explains a failure goes to standard error.
    static int Run(const QStringList& arguments);

private:
    static int RunCommand(const CliOptions& options);
    static int List(const CliOptions& options, CliSession& session);
    static int Size(CliSession& session);
    static int Operate(const CliOptions& options, BatchOperation operation, CliSession& session);
};

} // namespace quarvel
