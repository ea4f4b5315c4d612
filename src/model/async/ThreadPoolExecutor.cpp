#include "model/async/ThreadPoolExecutor.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>

namespace tollenvane {

ThreadPoolExecutor::ThreadPoolExecutor()
{
    // A machine with two cores still runs a search and an inspection beside the scan.
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->setMaxThreadCount(std::max({4, QThread::idealThreadCount(), pool->maxThreadCount()}));
}

void ThreadPoolExecutor::run(Priority priority, std::function<void()> job)
{
    QThreadPool::globalInstance()->start(std::move(job), static_cast<int>(priority));
}

} // namespace tollenvane
