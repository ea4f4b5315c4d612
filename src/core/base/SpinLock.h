#pragma once

#include "core/base/CpuRelax.h"

#include <atomic>
#include <thread>

namespace tollenvane {

// A lock for a few instructions' worth of work that threads take often: one that puts a waiter to
// sleep makes its holder wake it again, which costs far more than the work. A waiter spins, then
// gives its processor up to the holder in turn, but never sleeps.
class SpinLock {
public:
    void lock() noexcept
    {
        unsigned spins = 0;
        while (locked_.exchange(true, std::memory_order_acquire)) {
            while (locked_.load(std::memory_order_relaxed)) {
                // A holder preempted on a busy machine gets a processor back sooner.
                if (++spins < yieldAfter) {
                    cpuRelax();
                } else {
                    std::this_thread::yield();
                }
            }
        }
    }

    bool try_lock() noexcept
    {
        return !locked_.load(std::memory_order_relaxed) &&
               !locked_.exchange(true, std::memory_order_acquire);
    }

    void unlock() noexcept { locked_.store(false, std::memory_order_release); }

private:
    static constexpr unsigned yieldAfter = 1024;

    std::atomic<bool> locked_{false};
};

} // namespace tollenvane
