#include "model/async/ThreadPoolExecutor.h"

#include <gtest/gtest.h>

#include <QThreadPool>
#include <chrono>
#include <future>

namespace tollenvane {
namespace {

// Qt's raster painting hands work to its global pool: file work there could stop the window.
TEST(ThreadPoolExecutor, RunsJobsOffQtsGlobalPoolAndEndsOnceTheyAreDone)
{
    std::promise<int> globalThreads;
    std::future<int> seen = globalThreads.get_future();
    {
        ThreadPoolExecutor executor;
        executor.run(Priority::utility, [&globalThreads] {
            globalThreads.set_value(QThreadPool::globalInstance()->activeThreadCount());
        });
        ASSERT_EQ(seen.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    }
    EXPECT_EQ(seen.get(), 0);
}

} // namespace
} // namespace tollenvane
