#pragma once

#include "model/async/Clock.h"

namespace tollenvane {

class SystemClock final : public Clock {
public:
    std::chrono::steady_clock::time_point steadyNow() const override
    {
        return std::chrono::steady_clock::now();
    }
    Date wallNow() const override { return currentDate(); }
};

} // namespace tollenvane
