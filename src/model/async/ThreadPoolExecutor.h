#pragma once

#include "model/async/Executor.h"

#include <QThreadPool>
#include <memory>

namespace tollenvane {

// Jobs on a thread pool of the model's own: Qt's global pool stays free for Qt, whose painting
// hands work to it. A job may outlive whoever started it, so it holds what it needs itself.
class ThreadPoolExecutor final : public Executor {
public:
    // At least four threads.
    ThreadPoolExecutor();
    // Drops the jobs not started and waits a moment for the running ones, which their owners
    // told to stop. One stuck in the system keeps its thread to the end of the process rather
    // than holding this up.
    ~ThreadPoolExecutor() override;
    ThreadPoolExecutor(const ThreadPoolExecutor&) = delete;
    ThreadPoolExecutor& operator=(const ThreadPoolExecutor&) = delete;

    void run(Priority priority, std::function<void()> job) override;

private:
    std::unique_ptr<QThreadPool> pool_ = std::make_unique<QThreadPool>();
};

} // namespace tollenvane
