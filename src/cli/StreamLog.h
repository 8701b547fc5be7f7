#pragma once

#include "reporting/LogSink.h"

#include <cstdio>

namespace quarvel {

// The log written line by line to a standard stream, flushed so a watcher sees each line
// when it happens.
class StreamLog final : public LogSink {
public:
    explicit StreamLog(std::FILE* stream)
        : stream_(stream)
    {
    }

    void AppendLine(const QString& line) override;

private:
    std::FILE* stream_;
};

} // namespace quarvel
