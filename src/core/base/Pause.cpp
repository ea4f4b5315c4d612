#include "core/base/Pause.h"

#include <condition_variable>
#include <mutex>

namespace tollenvane {

void pauseFor(std::chrono::nanoseconds duration, const std::stop_token& stop)
{
    if (duration <= std::chrono::nanoseconds::zero()) {
        return;
    }
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    (void)wake.wait_for(lock, stop, duration, [] { return false; });
}

} // namespace tollenvane
