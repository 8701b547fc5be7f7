#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>

namespace quarvel {

// The progress bar of the page that runs a long operation.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetMaximum(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
};

// A count or a position as a progress value: progress bars count in int, and a longer list
// stops at the top of its range.
inline int ProgressValue(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

} // namespace quarvel
