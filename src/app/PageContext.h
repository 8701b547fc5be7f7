#pragma once

namespace quarvel {

class BusyState;
class HandlerGuard;
class Prompts;
class Session;

// What every page of the window works with: the session it shows, the busy state its rule
// joins, the guard its handlers run under and the dialog layer.
struct PageContext {
    Session& session;
    BusyState& busy;
    const HandlerGuard& guard;
    Prompts& prompts;
};

} // namespace quarvel
