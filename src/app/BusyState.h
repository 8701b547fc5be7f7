#pragma once

#include <functional>
#include <vector>

namespace quarvel {

// Whether a long operation runs. While one runs, the controls that would change the tables or
// lists it walks are disabled; each part of the window registers the rule for its own
// controls, and every rule runs again when an operation starts or ends, also on an error.
class BusyState {
public:
    using Rule = std::function<void(bool busy)>;

    class Scope {
    public:
        explicit Scope(BusyState& state);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        BusyState& state_;
    };

    void Register(Rule rule);
    bool IsBusy() const { return depth_ > 0; }

private:
    // Applies every rule to the present state.
    void Refresh() const;

    int depth_ = 0;
    std::vector<Rule> rules_;
};

} // namespace quarvel
