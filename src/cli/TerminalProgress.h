#pragma once

#include "reporting/ProgressSink.h"

#include <QElapsedTimer>

namespace quarvel {

// A progress line on standard error, shown only when that is a terminal and the work has
// already taken more than a second: scripts and quick runs see nothing of it.
class TerminalProgress final : public ProgressSink {
public:
    TerminalProgress();
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void SetMaximum(int maximum) override;
    void SetPosition(int position) override;

private:
    bool ShouldShow() const;

    QElapsedTimer started_;
    bool isTerminal_;
    bool shown_ = false;
    int maximum_ = 0;
};

} // namespace quarvel
