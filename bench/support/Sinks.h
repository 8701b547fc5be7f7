#pragma once

#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"

#include <QString>

namespace quarvel::bench {

// The benchmarks run without a window: the log keeps only its last line to show, and
// progress goes nowhere.
class LastLineLog : public LogSink {
public:
    void AppendLine(const QString& line) override { last = line; }
    QString last;
};

class NoProgress : public ProgressSink {
public:
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
};

} // namespace quarvel::bench
