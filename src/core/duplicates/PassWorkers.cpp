#include "core/duplicates/PassWorkers.h"

#include "core/base/Cancellation.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace tollenvane::PassWorkers {

namespace {

using Keys = std::vector<std::optional<std::string>>;

Keys runHere(std::span<const std::size_t> order, std::size_t scratchSize,
             const std::stop_token& stop, const Job& job, const Done& done)
{
    Keys keys(order.size());
    const Scratch scratch(scratchSize);
    for (std::size_t taken = 0; taken < order.size(); ++taken) {
        throwIfCancelled(stop);
        keys[order[taken]] = job(order[taken], scratch, stop);
        done(taken + 1);
    }
    return keys;
}

// What the threads of one pass share. Each key has its own slot, written by one thread and read
// only after every thread has been joined.
class Crew {
public:
    Crew(std::span<const std::size_t> order, std::size_t scratchSize, const Job& job)
        : order_(order)
        , scratchSize_(scratchSize)
        , job_(job)
        , keys_(order.size())
    {}

    void work()
    {
        try {
            const Scratch scratch(scratchSize_);
            const std::stop_token stop = stopping_.get_token();
            while (!stop.stop_requested()) {
                const std::size_t taken = next_.fetch_add(1);
                if (taken >= order_.size()) {
                    return;
                }
                keys_[order_[taken]] = job_(order_[taken], scratch, stop);
                // Only the last one wakes the calling thread, which otherwise looks in now and
                // then: a wake-up for every file costs more than reading a small one.
                if (finished_.fetch_add(1) + 1 == order_.size()) {
                    const std::lock_guard lock(mutex_);
                    changed_.notify_one();
                }
            }
        } catch (...) {
            fail(std::current_exception());
        }
    }

    // How many are finished once more than `told` are; nothing when the pass is stopping.
    std::optional<std::size_t> waitBeyond(std::size_t told)
    {
        std::unique_lock lock(mutex_);
        while (!changed_.wait_for(lock, stopping_.get_token(), lookInterval,
                                  [&] { return finished_.load() > told; })) {
            if (stopping_.stop_requested()) {
                return std::nullopt;
            }
        }
        if (stopping_.stop_requested()) {
            return std::nullopt;
        }
        return finished_.load();
    }

    void stop() { stopping_.request_stop(); }

    // The first failure rethrown, else the keys.
    Keys result()
    {
        if (failure_) {
            std::rethrow_exception(failure_);
        }
        return std::move(keys_);
    }

private:
    void fail(std::exception_ptr failure)
    {
        {
            const std::lock_guard lock(mutex_);
            if (!failure_) {
                failure_ = std::move(failure);
            }
        }
        stopping_.request_stop();
    }

    static constexpr std::chrono::milliseconds lookInterval{5};

    std::span<const std::size_t> order_;
    std::size_t scratchSize_;
    const Job& job_;
    Keys keys_;
    std::atomic<std::size_t> next_{0};
    std::stop_source stopping_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::atomic<std::size_t> finished_{0};
    std::exception_ptr failure_;
};

// Stops the crew and joins its threads on every way out, a throw included.
class Team {
public:
    Team(Crew& crew, unsigned threads)
        : crew_(crew)
    {
        threads_.reserve(threads);
        for (unsigned started = 0; started < threads; ++started) {
            threads_.emplace_back([&crew] { crew.work(); });
        }
    }
    Team(const Team&) = delete;
    Team& operator=(const Team&) = delete;
    ~Team()
    {
        crew_.stop();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

private:
    Crew& crew_;
    std::vector<std::thread> threads_;
};

} // namespace

Scratch::Scratch(std::size_t size)
    : size_(size)
    , bytes_(std::make_unique_for_overwrite<std::byte[]>(size))
{}

std::span<std::byte> Scratch::bytes(std::int64_t count) const
{
    return {bytes_.get(), std::min(size_, static_cast<std::size_t>(count))};
}

Keys run(std::span<const std::size_t> order, unsigned threads, std::size_t scratchSize,
         const std::stop_token& stop, const Job& job, const Done& done)
{
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, order.size()));
    if (threads <= 1) {
        return runHere(order, scratchSize, stop, job, done);
    }
    Crew crew(order, scratchSize, job);
    const std::stop_callback relay(stop, [&crew] { crew.stop(); });
    {
        const Team team(crew, threads);
        std::size_t told = 0;
        while (told < order.size()) {
            const auto finished = crew.waitBeyond(told);
            if (!finished) {
                break;
            }
            while (told < *finished) {
                done(++told);
            }
        }
    }
    Keys keys = crew.result();
    throwIfCancelled(stop);
    return keys;
}

} // namespace tollenvane::PassWorkers
