#include "model/support/ManualExecutor.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace tollenvane::test {

void ManualExecutor::run(Priority priority, std::function<void()> job)
{
    jobs_.push_back({priority, std::move(job)});
}

std::size_t ManualExecutor::pending(Priority priority) const
{
    return static_cast<std::size_t>(std::count_if(
        jobs_.begin(), jobs_.end(), [&](const Job& job) { return job.priority == priority; }));
}

bool ManualExecutor::runNext()
{
    if (jobs_.empty()) {
        return false;
    }
    runAt(0);
    return true;
}

bool ManualExecutor::runNext(Priority priority)
{
    return runWhere(priority, false);
}

bool ManualExecutor::runLatest(Priority priority)
{
    return runWhere(priority, true);
}

bool ManualExecutor::runWhere(Priority priority, bool newest)
{
    std::optional<std::size_t> chosen;
    for (std::size_t index = 0; index < jobs_.size(); ++index) {
        if (jobs_[index].priority == priority && (newest || !chosen)) {
            chosen = index;
        }
    }
    if (chosen) {
        runAt(*chosen);
    }
    return chosen.has_value();
}

void ManualExecutor::runAt(std::size_t index)
{
    if (index >= jobs_.size()) {
        throw std::out_of_range("no such job");
    }
    const auto job = std::move(jobs_[index].work);
    jobs_.erase(jobs_.begin() + static_cast<std::ptrdiff_t>(index));
    job();
}

void ManualExecutor::runAll()
{
    while (runNext()) {
    }
}

} // namespace tollenvane::test
