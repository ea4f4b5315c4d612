#include "core/base/WakeSignal.h"

#include "core/base/SpinLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;

// Far longer than any test may take: a wake-up that is lost shows as a test that never ends.
constexpr auto never = 1h;

// Every other look at the turn is slow: having found the turn not yet its own, it answers only
// once the other thread has handed the turn over and sent its wake-up. A sleeper counted after its
// last look misses that wake-up on the first such turn; the other turns are handed over by a real
// sleep and wake-up.
TEST(WakeSignal, NoWakeUpIsLostBetweenTwoThreadsTakingTurns)
{
    WakeSignal signal;
    std::atomic<int> turn{0};
    std::mutex mutex;
    std::condition_variable handed;
    int handedOver = 0; // moves on once a wake-up has been sent, or one was lost
    std::atomic<bool> lost{false};
    const auto handOver = [&] {
        {
            const std::scoped_lock lock(mutex);
            ++handedOver;
        }
        handed.notify_all();
    };
    constexpr int rounds = 20000;
    const auto play = [&](int mine) {
        for (int round = 0; round < rounds && !lost; ++round) {
            const auto look = [&, slow = round % 2 == 1] {
                std::unique_lock lock(mutex);
                const int before = handedOver;
                if (turn == mine) {
                    return true;
                }
                if (slow) {
                    handed.wait(lock, [&] { return handedOver != before; });
                }
                return lost.load();
            };
            while (turn != mine && !lost) {
                // The turn is handed over at once: only a lost wake-up leaves a sleeper this long.
                if (!signal.sleepUnless(look, 5s)) {
                    lost = true;
                    handOver();
                    signal.wakeAll();
                }
            }
            turn = 1 - mine;
            signal.wakeAll();
            handOver();
        }
    };
    std::thread other(play, 1);
    play(0);
    other.join();
    EXPECT_FALSE(lost) << "a sleeper was never woken";
    EXPECT_EQ(turn, 0);
}

// Two threads take turns waking one sleeper at a time while a third keeps waking nobody in
// particular: every turn is handed over by a wake-up, none by the end of a sleep.
TEST(WakeSignal, WakingOneSleeperAmidOtherWakeUpsIsNeverLost)
{
    using namespace std::chrono_literals;
    WakeSignal signal;
    std::atomic<int> turn{0};
    std::atomic<bool> over{false};
    std::atomic<int> timedOut{0};
    std::thread noise([&] {
        while (!over) {
            signal.wake();
            std::this_thread::yield();
        }
    });
    constexpr int rounds = 5000;
    const auto play = [&](int mine) {
        for (int round = 0; round < rounds; ++round) {
            while (turn != mine) {
                if (!signal.sleepUnless([&] { return turn == mine; }, 5s)) {
                    ++timedOut;
                }
            }
            turn = 1 - mine;
            signal.wake();
        }
    };
    std::thread other(play, 1);
    play(0);
    other.join();
    over = true;
    noise.join();
    EXPECT_EQ(timedOut, 0);
}

TEST(WakeSignal, ASleeperWhoseWaitIsOverDoesNotSleepAndEveryOneWokenLooksAgain)
{
    WakeSignal signal;
    EXPECT_TRUE(signal.sleepUnless([] { return true; }, never));
    EXPECT_FALSE(signal.sleepUnless([] { return false; }, std::chrono::milliseconds(1)));

    std::atomic<bool> open{false};
    std::atomic<int> through{0};
    std::vector<std::thread> sleepers;
    for (int i = 0; i < 4; ++i) {
        sleepers.emplace_back([&] {
            while (!open) {
                signal.sleepUnless([&] { return open.load(); }, never);
            }
            ++through;
        });
    }
    // One wake at a time, while one woken has not yet come out: all get through in turn,
    // because each looks again and the opening stays.
    open = true;
    signal.wake();
    signal.wakeAll();
    for (std::thread& sleeper : sleepers) {
        sleeper.join();
    }
    EXPECT_EQ(through, 4);
    EXPECT_FALSE(signal.anySleeping());
}

TEST(SpinLock, OnlyOneHolderAtATime)
{
    SpinLock lock;
    long counted = 0; // not atomic: the lock alone keeps it whole
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&] {
            for (int n = 0; n < 50000; ++n) {
                const std::scoped_lock guard(lock);
                ++counted;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(counted, 8 * 50000);
    EXPECT_TRUE(lock.try_lock());
    EXPECT_FALSE(lock.try_lock());
    lock.unlock();
}

} // namespace
} // namespace tollenvane
