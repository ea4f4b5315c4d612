#include "app/decoding/FileWorkers.h"

#include <QThreadPool>

namespace tollenvane {

namespace {

// Readers mostly wait on a disk or on a decoder process, so more of them than cores is fine.
constexpr int maxWorkers = 8;

} // namespace

QThreadPool& fileWorkers()
{
    // Never destroyed: destroying a pool waits for its jobs, and quitting must not.
    static QThreadPool* const pool = [] {
        auto* made = new QThreadPool;
        made->setMaxThreadCount(maxWorkers);
        made->setThreadPriority(QThread::LowPriority);
        return made;
    }();
    return *pool;
}

} // namespace tollenvane
