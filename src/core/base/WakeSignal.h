#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace tollenvane {

// Where threads sleep until another says that what they wait for may have come. It needs no lock
// around what they wait for, and saying so makes no system call while none sleeps.
class WakeSignal {
public:
    // Sleeps until woken, or for at most `longest`, unless `ready` holds. `ready` is looked at
    // once, after the sleeper is counted: whatever changed before the matching `wake` is seen.
    // May end early: the caller looks again at what it waits for. False when `longest` ran out.
    template <class Ready>
    bool sleepUnless(const Ready& ready, std::chrono::nanoseconds longest)
    {
        sleepers_.fetch_add(1);
        const std::uint32_t seen = sequence_.load();
        const bool woken = ready() || sleep(seen, longest);
        sleepers_.fetch_sub(1);
        return woken;
    }

    // Call after changing what sleepers wait for: wakes one of them, or all.
    void wake();
    void wakeAll();

    bool anySleeping() const { return sleepers_.load() > 0; }

private:
    bool sleep(std::uint32_t seen, std::chrono::nanoseconds longest);
    void wake(int count);

    std::atomic<std::uint32_t> sequence_{0};
    std::atomic<unsigned> sleepers_{0};
};

} // namespace tollenvane
