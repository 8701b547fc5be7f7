#pragma once

#include "reporting/EventPump.h"
#include "reporting/LogSink.h"
#include "reporting/ProgressSink.h"
#include "reporting/Prompts.h"

namespace quarvel {

// How a long operation talks to whoever started it: the log, the progress bar of the page it
// runs on, the pump that keeps the window alive, and the boxes and pickers that ask the user.
struct Reporting {
    LogSink& log;
    ProgressSink& progress;
    EventPump& pump;
    Prompts& prompts;
};

} // namespace quarvel
