#pragma once

#include "model/async/Clock.h"
#include "model/async/Scheduler.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace tollenvane::test {

// Both clocks and the timers, moved only by the test: advance() fires the timers that fall due,
// in time order, each at its own moment.
class ManualTime final : public Clock, public Scheduler {
public:
    std::chrono::steady_clock::time_point steadyNow() const override { return steady_; }
    Date wallNow() const override { return wall_; }

    std::shared_ptr<TimerHandle> after(std::chrono::milliseconds delay,
                                       std::function<void()> action) override;

    void advance(std::chrono::milliseconds duration);
    // Sets the wall clock alone, as a user or a time server would.
    void setWallClock(Date date) { wall_ = date; }
    std::size_t pendingTimers() const;
    // Timers handed out that something still holds, fired and cancelled ones included.
    std::size_t heldTimers() const;

private:
    struct Timer;
    void moveTo(std::chrono::steady_clock::time_point instant);

    std::chrono::steady_clock::time_point steady_{std::chrono::hours(1000)};
    Date wall_ = 700'000'000;
    std::vector<std::shared_ptr<Timer>> timers_;
    std::vector<std::weak_ptr<Timer>> issued_;
};

} // namespace tollenvane::test
