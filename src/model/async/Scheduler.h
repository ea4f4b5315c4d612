#pragma once

#include "model/async/TimerHandle.h"

#include <chrono>
#include <functional>
#include <memory>

namespace tollenvane {

// Runs an action on the main thread once a delay has passed on the monotonic clock.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual std::shared_ptr<TimerHandle> after(std::chrono::milliseconds delay,
                                               std::function<void()> action) = 0;
};

} // namespace tollenvane
