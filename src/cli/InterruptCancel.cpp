#include "cli/InterruptCancel.h"

#include "fileops/CancelFlag.h"

namespace quarvel {

namespace {

// A signal handler reaches no object but through a global; only one run is ever cancelled.
CancelFlag* interruptedFlag = nullptr;

void RequestCancel(int)
{
    if (interruptedFlag != nullptr)
        interruptedFlag->Request();
}

} // namespace

InterruptCancel::InterruptCancel(CancelFlag& flag)
{
    interruptedFlag = &flag;
    struct sigaction action {};
    action.sa_handler = RequestCancel;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a copy reading when the signal comes goes on to its end
    sigaction(SIGINT, &action, &previous_);
}

InterruptCancel::~InterruptCancel()
{
    sigaction(SIGINT, &previous_, nullptr);
    interruptedFlag = nullptr;
}

} // namespace quarvel
