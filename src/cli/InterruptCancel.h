#pragma once

#include <csignal>

namespace quarvel {

class CancelFlag;

// While it lives, Ctrl-C (SIGINT) asks the flag's operation to stop before its next archive,
// as the window's Cancel does, instead of killing the process in the middle of one.
class InterruptCancel {
public:
    explicit InterruptCancel(CancelFlag& flag);
    ~InterruptCancel();
    InterruptCancel(const InterruptCancel&) = delete;
    InterruptCancel& operator=(const InterruptCancel&) = delete;

private:
    struct sigaction previous_ {};
};

} // namespace quarvel
