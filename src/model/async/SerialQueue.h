#pragma once

#include "model/async/Executor.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace tollenvane {

// Runs its jobs one at a time, in the order they were posted, on an executor: a service with
// state behind it sees no two calls at once and no call overtaking another.
class SerialQueue : public std::enable_shared_from_this<SerialQueue> {
public:
    static std::shared_ptr<SerialQueue> make(std::shared_ptr<Executor> executor, Priority priority);

    // Jobs report their own failures: one that throws ends the program.
    void post(std::function<void()> job);

private:
    struct Key {
        explicit Key() = default;
    };

public:
    SerialQueue(Key, std::shared_ptr<Executor> executor, Priority priority);

private:
    void runOne();
    void schedule();

    // The executor's jobs hold the queue: held strongly back, the executor could end on one of
    // its own threads, and there wait for itself.
    const std::weak_ptr<Executor> executor_;
    const Priority priority_;
    std::mutex lock_;
    std::deque<std::function<void()>> jobs_;
    bool draining_ = false;
};

} // namespace tollenvane
