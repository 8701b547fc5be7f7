#pragma once

namespace quarvel {

// The progress bar of the page that runs a long operation.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetMaximum(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
};

} // namespace quarvel
