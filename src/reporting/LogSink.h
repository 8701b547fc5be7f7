#pragma once

#include <QString>

namespace quarvel {

// The log: every report is one line appended at its end.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void AppendLine(const QString& line) = 0;
};

} // namespace quarvel
