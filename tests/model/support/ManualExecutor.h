#pragma once

#include "model/async/Executor.h"

#include <cstddef>
#include <deque>
#include <functional>

namespace tollenvane::test {

// Keeps every job until the test runs it, on the test's own thread, in the order it chooses.
class ManualExecutor final : public Executor {
public:
    void run(Priority priority, std::function<void()> job) override;

    std::size_t pending() const { return jobs_.size(); }
    std::size_t pending(Priority priority) const;
    // The oldest job, or the oldest of that priority; false when there is none.
    bool runNext();
    bool runNext(Priority priority);
    // The newest job of that priority.
    bool runLatest(Priority priority);
    // The job at that place in the queue (0 is the oldest).
    void runAt(std::size_t index);
    // Until no job is left, those that jobs add included.
    void runAll();

private:
    struct Job {
        Priority priority;
        std::function<void()> work;
    };
    bool runWhere(Priority priority, bool newest);

    std::deque<Job> jobs_;
};

} // namespace tollenvane::test
