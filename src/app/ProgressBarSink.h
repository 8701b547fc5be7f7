#pragma once

#include "reporting/ProgressSink.h"

class QProgressBar;

namespace quarvel {

// Progress reported on one of the window's progress bars.
class ProgressBarSink : public ProgressSink {
public:
    explicit ProgressBarSink(QProgressBar* bar)
        : bar_(bar)
    {
    }

    void SetMaximum(int maximum) override;
    void SetPosition(int position) override;

private:
    QProgressBar* bar_;
};

} // namespace quarvel
