#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace tollenvane {

// Passes progress on at most once per interval, the interval counted from the moment the last
// report returned, so that a slow receiver is not flooded.
class ProgressThrottle {
public:
    using Progress = std::function<void(std::int64_t done, std::int64_t total)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Starts counting now; an empty `progress` receives nothing.
    ProgressThrottle(Progress progress, Clock clock, std::chrono::steady_clock::duration interval);

    // Reports only when the interval has passed since the start or the last report.
    void offer(std::int64_t done, std::int64_t total);
    // Reports whatever the time.
    void report(std::int64_t done, std::int64_t total);

    static std::chrono::steady_clock::time_point steadyNow();

private:
    Progress progress_;
    Clock clock_;
    std::chrono::steady_clock::duration interval_;
    std::chrono::steady_clock::time_point last_;
};

} // namespace tollenvane
