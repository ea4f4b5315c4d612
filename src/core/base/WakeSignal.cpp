#include "core/base/WakeSignal.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>

namespace tollenvane {

namespace {

static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t) &&
              std::atomic<std::uint32_t>::is_always_lock_free);

long futex(std::atomic<std::uint32_t>& word, int operation, std::uint32_t value,
           const timespec* timeout = nullptr)
{
    return ::syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&word), operation, value, timeout,
                     nullptr, 0);
}

} // namespace

void WakeSignal::wake()
{
    wake(1);
}

void WakeSignal::wakeAll()
{
    wake(INT_MAX);
}

void WakeSignal::wake(int count)
{
    sequence_.fetch_add(1);
    if (sleepers_.load() > 0) {
        futex(sequence_, FUTEX_WAKE_PRIVATE, static_cast<std::uint32_t>(count));
    }
}

bool WakeSignal::sleep(std::uint32_t seen, std::chrono::nanoseconds longest)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(longest);
    const timespec timeout{static_cast<time_t>(seconds.count()),
                           static_cast<long>((longest - seconds).count())};
    // Woken, interrupted or told already (the sequence moved on): all end the sleep.
    return futex(sequence_, FUTEX_WAIT_PRIVATE, seen, &timeout) == 0 || errno != ETIMEDOUT;
}

} // namespace tollenvane
