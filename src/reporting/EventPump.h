#pragma once

namespace quarvel {

// Lets the window process its pending events in the middle of a long operation.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
};

// The pump of a caller without a window: tests, benchmarks and the command line.
class NoEventPump final : public EventPump {
public:
    void ProcessEvents() override {}
};

} // namespace quarvel
