#include "core/base/Pause.h"

#include "core/base/CpuRelax.h"

#include <condition_variable>
#include <mutex>

namespace tollenvane {

namespace {

// A sleeping thread wakes up late: the timer's slack, then an idle processor's way back, which
// on a virtual machine takes about as long again. A pause between steps of a long job that was
// late every time would make the job noticeably slower, so its last stretch is waited awake.
constexpr std::chrono::microseconds wakeUpLate{150};

} // namespace

void pauseFor(std::chrono::nanoseconds duration, const std::stop_token& stop)
{
    if (duration <= std::chrono::nanoseconds::zero()) {
        return;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + duration;
    if (duration > wakeUpLate) {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        (void)wake.wait_until(lock, stop, end - wakeUpLate, [] { return false; });
    }
    while (!stop.stop_requested() && Clock::now() < end) {
        cpuRelax();
    }
}

} // namespace tollenvane
