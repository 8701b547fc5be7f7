#pragma once

#include <atomic>

namespace quarvel {

// Asks a running batch operation to stop before its next name. The window sets it from a click that
// its pump lets through; the command line may set it from a signal handler, hence the atomic.
class CancelFlag {
public:
    void Request() { requested_.store(true); }
    void Clear() { requested_.store(false); }
    bool IsRequested() const { return requested_.load(); }

private:
    std::atomic<bool> requested_{false};
};

} // namespace quarvel
