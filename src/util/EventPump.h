#pragma once

namespace quarvel {

// Lets the window process its pending events in the middle of a long operation.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
};

} // namespace quarvel
