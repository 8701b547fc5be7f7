#pragma once

#include "reporting/EventPump.h"

namespace quarvel {

// Processes the application's pending events.
class QtEventPump : public EventPump {
public:
    void ProcessEvents() override;
};

} // namespace quarvel
