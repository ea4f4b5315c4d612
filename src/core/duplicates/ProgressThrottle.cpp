#include "core/duplicates/ProgressThrottle.h"

#include <utility>

namespace tollenvane {

ProgressThrottle::ProgressThrottle(Progress progress, Clock clock,
                                   std::chrono::steady_clock::duration interval)
    : progress_(std::move(progress))
    , clock_(clock ? std::move(clock) : Clock(&steadyNow))
    , interval_(interval)
    , last_(clock_())
{}

void ProgressThrottle::offer(std::int64_t done, std::int64_t total)
{
    if (clock_() - last_ >= interval_) {
        report(done, total);
    }
}

void ProgressThrottle::report(std::int64_t done, std::int64_t total)
{
    if (progress_) {
        progress_(done, total);
    }
    last_ = clock_();
}

std::chrono::steady_clock::time_point ProgressThrottle::steadyNow()
{
    return std::chrono::steady_clock::now();
}

} // namespace tollenvane
