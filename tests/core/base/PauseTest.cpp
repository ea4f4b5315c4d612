#include "core/base/Pause.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stop_token>
#include <thread>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;

// A pause is at least as long as asked, and a stop request ends it early, in its sleeping part
// and in the last stretch it waits awake: a test that hangs here has failed.
TEST(Pause, LastsAtLeastItsDurationAndAStopRequestEndsIt)
{
    const auto start = std::chrono::steady_clock::now();
    pauseFor(3ms, {});
    pauseFor(50us, {});
    EXPECT_GE(std::chrono::steady_clock::now() - start, 3ms + 50us);

    for (const auto stopAfter : {1ms, 0ms}) {
        std::stop_source stop;
        std::jthread stopper([&] {
            std::this_thread::sleep_for(stopAfter);
            stop.request_stop();
        });
        pauseFor(1h, stop.get_token());
        EXPECT_TRUE(stop.stop_requested());
    }
    std::stop_source stopped;
    stopped.request_stop();
    pauseFor(1h, stopped.get_token());
}

} // namespace
} // namespace tollenvane
