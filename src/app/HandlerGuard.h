#pragma once

#include <functional>

namespace quarvel {

class Prompts;

// Runs event handlers the way the application runs them: an error that leaves a handler is
// shown in the standard error box, the rest of that handler is skipped, and the program goes on.
class HandlerGuard {
public:
    explicit HandlerGuard(Prompts& prompts)
        : prompts_(prompts)
    {
    }

    void Run(const std::function<void()>& handler) const;

    // A slot that runs handler under the guard.
    std::function<void()> Guarded(std::function<void()> handler) const
    {
        return [this, handler = std::move(handler)] { Run(handler); };
    }

private:
    Prompts& prompts_;
};

} // namespace quarvel
