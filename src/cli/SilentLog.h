#pragma once

#include "reporting/LogSink.h"

namespace quarvel {

// The log of the import steps, whose lines would only mix into the rows a script reads.
class SilentLog final : public LogSink {
public:
    void AppendLine(const QString&) override {}
};

} // namespace quarvel
