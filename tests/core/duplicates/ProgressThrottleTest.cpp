#include "core/duplicates/ProgressThrottle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;

TEST(ProgressThrottle, WaitsAnIntervalFromWhenTheLastReportReturned)
{
    std::chrono::steady_clock::time_point now{};
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
    // A slow receiver: its display takes half a second.
    const auto progress = [&](std::int64_t done, std::int64_t total) {
        reports.emplace_back(done, total);
        now += 500ms;
    };
    ProgressThrottle throttle(
        progress, [&] { return now; }, 120ms);

    now += 119ms;
    throttle.offer(1, 9);
    now += 1ms;
    throttle.offer(2, 9);
    now += 119ms;
    throttle.offer(3, 9);
    now += 1ms;
    throttle.offer(4, 9);
    throttle.report(9, 9);
    EXPECT_EQ(reports,
              (std::vector<std::pair<std::int64_t, std::int64_t>>{{2, 9}, {4, 9}, {9, 9}}));
}

} // namespace
} // namespace tollenvane
