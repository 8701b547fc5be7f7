#include "app/BusyState.h"

namespace quarvel {

BusyState::Scope::Scope(BusyState& state)
    : state_(state)
{
    ++state_.depth_;
    state_.Refresh();
}

BusyState::Scope::~Scope()
{
    --state_.depth_;
    state_.Refresh();
}

void BusyState::Register(Rule rule)
{
    rule(IsBusy());
    rules_.push_back(std::move(rule));
}

void BusyState::Refresh() const
{
    for (const Rule& rule : rules_)
        rule(IsBusy());
}

} // namespace quarvel
