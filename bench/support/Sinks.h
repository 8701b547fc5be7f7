#pragma once

#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"
#include "reporting/Prompts.h"

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

// Nobody answers: every question is No and every picker is cancelled.
class NoPrompts : public Prompts {
public:
    void ShowMessage(const QString&) override {}
    void ShowError(const QString&) override {}
    bool AskYesNo(const QString&) override { return false; }
    std::optional<QString> PickFolder(const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> PickMachineListFile(const QString&) override { return std::nullopt; }
    std::optional<QString> PickCategoryListFile() override { return std::nullopt; }
};

} // namespace quarvel::bench
