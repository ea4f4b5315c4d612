#pragma once

#include "model/async/Priority.h"

#include <functional>

namespace tollenvane {

// Runs jobs off the main thread. A job reports back by posting to the main thread itself.
class Executor {
public:
    virtual ~Executor() = default;
    virtual void run(Priority priority, std::function<void()> job) = 0;
};

} // namespace tollenvane
