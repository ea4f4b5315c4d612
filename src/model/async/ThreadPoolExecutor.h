#pragma once

#include "model/async/Executor.h"

namespace tollenvane {

// Jobs on the application's global thread pool, which the application waits for as it ends.
// A job may outlive whoever started it, so it holds what it needs itself.
class ThreadPoolExecutor final : public Executor {
public:
    // Gives the pool at least four threads.
    ThreadPoolExecutor();

    void run(Priority priority, std::function<void()> job) override;
};

} // namespace tollenvane
