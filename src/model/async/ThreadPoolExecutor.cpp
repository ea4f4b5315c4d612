#include "model/async/ThreadPoolExecutor.h"

#include <QThread>
#include <algorithm>
#include <chrono>

namespace tollenvane {

namespace {

// Long enough for a job that was told to stop to notice it.
constexpr std::chrono::milliseconds shutdownWait{2000};

} // namespace

ThreadPoolExecutor::ThreadPoolExecutor()
{
    // A machine with two cores still runs a search and an inspection beside the scan.
    pool_->setMaxThreadCount(std::max(4, QThread::idealThreadCount()));
}

ThreadPoolExecutor::~ThreadPoolExecutor()
{
    pool_->clear();
    if (!pool_->waitForDone(static_cast<int>(shutdownWait.count()))) {
        // Deleting the pool would wait for its threads without end.
        static_cast<void>(pool_.release());
    }
}

void ThreadPoolExecutor::run(Priority priority, std::function<void()> job)
{
    pool_->start(std::move(job), static_cast<int>(priority));
}

} // namespace tollenvane
