#pragma once

#include "reporting/EventPump.h"
#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quarvel::test {

// Counts its calls and runs an optional action on each, given the call's number from 1.
class CountingPump : public EventPump {
public:
    void ProcessEvents() override
    {
        ++calls;
        if (onCall)
            onCall(calls);
    }

    int calls = 0;
    std::function<void(int)> onCall;
};

class RecordingLog : public LogSink {
public:
    void AppendLine(const QString& line) override { lines.append(line); }

    QStringList lines;
};

class RecordingProgress : public ProgressSink {
public:
    void SetMaximum(int maximum) override { maxima.push_back(maximum); }
    void SetPosition(int position) override { positions.push_back(position); }

    std::vector<int> maxima;
    std::vector<int> positions;
};

} // namespace quarvel::test
