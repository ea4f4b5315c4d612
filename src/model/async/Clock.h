#pragma once

#include "core/base/Date.h"

#include <chrono>

namespace tollenvane {

// Two clocks: the monotonic one for every elapsed time (setting the system clock back must not
// stall a throttle), the wall clock for dates that are shown or stored.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::steady_clock::time_point steadyNow() const = 0;
    virtual Date wallNow() const = 0;
};

} // namespace tollenvane
