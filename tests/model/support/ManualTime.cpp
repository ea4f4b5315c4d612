#include "model/support/ManualTime.h"

#include <algorithm>

namespace tollenvane::test {

struct ManualTime::Timer final : TimerHandle {
    std::chrono::steady_clock::time_point due;
    std::function<void()> action;
    bool cancelled = false;

    void cancel() override { cancelled = true; }
};

std::shared_ptr<TimerHandle> ManualTime::after(std::chrono::milliseconds delay,
                                               std::function<void()> action)
{
    auto timer = std::make_shared<Timer>();
    timer->due = steady_ + delay;
    timer->action = std::move(action);
    timers_.push_back(timer);
    issued_.push_back(timer);
    return timer;
}

void ManualTime::advance(std::chrono::milliseconds duration)
{
    const auto target = steady_ + duration;
    for (;;) {
        std::erase_if(timers_, [](const auto& timer) { return timer->cancelled; });
        const auto next =
            std::min_element(timers_.begin(), timers_.end(),
                             [](const auto& a, const auto& b) { return a->due < b->due; });
        if (next == timers_.end() || (*next)->due > target) {
            break;
        }
        const auto timer = *next;
        timers_.erase(next);
        moveTo(timer->due);
        timer->action();
    }
    moveTo(target);
}

void ManualTime::moveTo(std::chrono::steady_clock::time_point instant)
{
    const auto elapsed = std::chrono::duration<double>(instant - steady_).count();
    steady_ = instant;
    wall_ += elapsed;
}

std::size_t ManualTime::pendingTimers() const
{
    return static_cast<std::size_t>(std::count_if(
        timers_.begin(), timers_.end(), [](const auto& timer) { return !timer->cancelled; }));
}

std::size_t ManualTime::heldTimers() const
{
    return static_cast<std::size_t>(std::count_if(
        issued_.begin(), issued_.end(), [](const auto& timer) { return !timer.expired(); }));
}

} // namespace tollenvane::test
