#include "core/duplicates/PassWorkers.h"

#include "core/base/Cancellation.h"
#include "core/duplicates/HashPipeline.h"

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <numeric>
#include <thread>
#include <utility>

namespace tollenvane::PassWorkers {

namespace {

using Keys = std::vector<std::optional<PassKey>>;

// What a lone reader may have read and not yet seen hashed: enough to keep every hashing thread
// busy, little enough to keep memory flat.
constexpr std::size_t bytesInFlight = 16 * 1'048'576;

// Pieces smaller than this would cost more in system calls than they save in memory.
constexpr std::size_t smallestPiece = 65'536;

std::size_t pieceFor(std::size_t chunkSize, unsigned readers)
{
    return std::max(chunkSize / readers, std::min(chunkSize, smallestPiece));
}

// Hashes with what a job fed, if it gave a key at all.
std::optional<PassKey> keyOf(std::optional<PassKey> given, DirectFeed& feed)
{
    const PassKey key = feed.key(given.value_or(PassKey{}));
    return given ? std::optional(key) : std::nullopt;
}

Keys runHere(std::span<const std::size_t> order, std::size_t chunkSize, const std::stop_token& stop,
             const Job& job, const Done& done)
{
    Keys keys(order.size());
    DirectFeed feed(chunkSize);
    for (std::size_t taken = 0; taken < order.size(); ++taken) {
        throwIfCancelled(stop);
        keys[order[taken]] = keyOf(job(order[taken], feed, VerifiedFile::Reach::disk, stop), feed);
        done(taken + 1);
    }
    return keys;
}

// Hashing threads take what the one reader hands over; everything else stays on the calling
// thread, in the order given.
Keys runPipelined(std::span<const std::size_t> order, unsigned hashers, std::size_t chunkSize,
                  const std::stop_token& stop, const Job& job, const Done& done)
{
    HashPipeline pipeline(order.size(), hashers, chunkSize, bytesInFlight);
    const std::stop_callback relay(stop, [&pipeline] { pipeline.stop(); });
    const std::stop_token stopping = pipeline.stopping();
    std::size_t told = 0;
    const auto tell = [&](std::size_t finished) {
        while (told < finished) {
            done(++told);
        }
    };
    try {
        for (const std::size_t position : order) {
            throwIfCancelled(stopping);
            pipeline.start(position);
            pipeline.finish(job(position, pipeline, VerifiedFile::Reach::disk, stopping));
            tell(pipeline.finished());
        }
        while (told < order.size()) {
            const auto finished = pipeline.waitBeyond(told);
            if (!finished) {
                break;
            }
            tell(*finished);
        }
    } catch (const Cancelled&) {
        // A hashing thread that failed stops the reader too: its failure is the one to tell.
        if (stop.stop_requested()) {
            throw;
        }
    }
    Keys keys = pipeline.result();
    throwIfCancelled(stop);
    return keys;
}

// What the threads of one pass share. Each key has its own slot, written by one thread and read
// only after every thread has been joined.
class Crew {
public:
    Crew(std::span<const std::size_t> order, std::size_t chunkSize, VerifiedFile::Reach reach,
         const Job& job)
        : order_(order)
        , chunkSize_(chunkSize)
        , reach_(reach)
        , job_(job)
        , keys_(order.size())
    {}

    void work()
    {
        try {
            DirectFeed feed(chunkSize_);
            const std::stop_token stop = stopping_.get_token();
            while (!stop.stop_requested()) {
                const std::size_t taken = next_.fetch_add(1);
                if (taken >= order_.size()) {
                    return;
                }
                try {
                    keys_[order_[taken]] = keyOf(job_(order_[taken], feed, reach_, stop), feed);
                    finished_.fetch_add(1);
                } catch (const VerifiedFile::NotCached&) {
                    feed.discard();
                    const std::lock_guard lock(mutex_);
                    deferred_.push_back(taken);
                    deferredCount_.fetch_add(1);
                }
                // Only the last one wakes the calling thread, which otherwise looks in now and
                // then: a wake-up for every file costs more than reading a small one.
                if (settled()) {
                    const std::lock_guard lock(mutex_);
                    changed_.notify_one();
                }
            }
        } catch (...) {
            fail(std::current_exception());
        }
    }

    // Every file is either finished or left to the disk.
    bool settled() const { return finished_.load() + deferredCount_.load() == order_.size(); }

    // Whether `told` finished files are all there will be: the rest were left to the disk.
    bool allTold(std::size_t told) const { return told + deferredCount_.load() == order_.size(); }

    // How many are finished once more than `told` are, or all are settled; nothing when the pass
    // is stopping.
    std::optional<std::size_t> waitBeyond(std::size_t told)
    {
        std::unique_lock lock(mutex_);
        while (!changed_.wait_for(lock, stopping_.get_token(), lookInterval,
                                  [&] { return finished_.load() > told || settled(); })) {
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

    // The first failure rethrown, else the keys; with every thread joined.
    Keys result()
    {
        if (failure_) {
            std::rethrow_exception(failure_);
        }
        return std::move(keys_);
    }

    // The positions that must be read from the disk, in the order given; with every thread
    // joined.
    std::vector<std::size_t> deferred()
    {
        std::sort(deferred_.begin(), deferred_.end());
        std::vector<std::size_t> positions;
        positions.reserve(deferred_.size());
        for (const std::size_t taken : deferred_) {
            positions.push_back(order_[taken]);
        }
        return positions;
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
    std::size_t chunkSize_;
    VerifiedFile::Reach reach_;
    const Job& job_;
    Keys keys_;
    std::atomic<std::size_t> next_{0};
    std::stop_source stopping_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::atomic<std::size_t> finished_{0};
    std::atomic<std::size_t> deferredCount_{0};
    std::vector<std::size_t> deferred_;
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
            threads_.emplace_back([&crew] {
                // Named for whoever looks at the process's threads.
                ::pthread_setname_np(::pthread_self(), "file-reader");
                crew.work();
            });
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

struct CrewResult {
    Keys keys;
    // The positions left to the disk, in the order given.
    std::vector<std::size_t> deferred;
};

// Reads on `threads` threads at once until every file is settled, telling `done` of each one
// finished.
CrewResult runCrew(std::span<const std::size_t> order, unsigned threads, std::size_t chunkSize,
                   VerifiedFile::Reach reach, const std::stop_token& stop, const Job& job,
                   const Done& done)
{
    Crew crew(order, pieceFor(chunkSize, threads), reach, job);
    {
        const std::stop_callback relay(stop, [&crew] { crew.stop(); });
        const Team team(crew, threads);
        std::size_t told = 0;
        while (const auto finished = crew.waitBeyond(told)) {
            while (told < *finished) {
                done(++told);
            }
            if (crew.allTold(told)) {
                break;
            }
        }
    }
    Keys keys = crew.result();
    throwIfCancelled(stop);
    return {std::move(keys), crew.deferred()};
}

// The keys of `positions`, by index into it, read by one thread in that order.
Keys runAlone(std::span<const std::size_t> positions, unsigned hashers, std::size_t chunkSize,
              const std::stop_token& stop, const Job& job, const Done& done)
{
    std::vector<std::size_t> order(positions.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const Job mapped = [&](std::size_t index, HashFeed& feed, VerifiedFile::Reach reach,
                           const std::stop_token& jobStop) {
        return job(positions[index], feed, reach, jobStop);
    };
    hashers = static_cast<unsigned>(std::min<std::size_t>(hashers, positions.size()));
    return hashers > 1 ? runPipelined(order, hashers, chunkSize, stop, mapped, done)
                       : runHere(order, chunkSize, stop, mapped, done);
}

} // namespace

Keys run(std::span<const std::size_t> order, Threads threads, std::size_t chunkSize,
         const std::stop_token& stop, const Job& job, const Done& done)
{
    const auto capped = [&](unsigned wanted) {
        return static_cast<unsigned>(std::min<std::size_t>(wanted, order.size()));
    };
    if (capped(threads.readers) > 1) {
        return runCrew(order, capped(threads.readers), chunkSize, VerifiedFile::Reach::disk, stop,
                       job, done)
            .keys;
    }
    Keys keys;
    std::vector<std::size_t> left;
    if (capped(threads.cacheReaders) > 1) {
        auto cached = runCrew(order, capped(threads.cacheReaders), chunkSize,
                              VerifiedFile::Reach::cacheOnly, stop, job, done);
        keys = std::move(cached.keys);
        left = std::move(cached.deferred);
    } else {
        keys.resize(order.size());
        left.assign(order.begin(), order.end());
    }
    const std::size_t toldBefore = order.size() - left.size();
    Keys rest = runAlone(left, capped(threads.hashers), chunkSize, stop, job,
                         [&](std::size_t count) { done(toldBefore + count); });
    for (std::size_t index = 0; index < left.size(); ++index) {
        keys[left[index]] = std::move(rest[index]);
    }
    return keys;
}

} // namespace tollenvane::PassWorkers
