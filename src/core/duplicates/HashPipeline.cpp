#include "core/duplicates/HashPipeline.h"

#include "core/base/Cancellation.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <utility>

namespace tollenvane {

namespace {

// The reader looks in now and then while it waits for the last files: a wake-up for every file
// would cost more than hashing a small one.
constexpr std::chrono::milliseconds lookInterval{5};

// A sleeping hashing thread is woken for this much work, not for every small file: waking
// costs the reader more than hashing a small file.
constexpr std::size_t wakeBatch = 2 * 1'048'576;
// ... nor kept asleep longer than this with work waiting, so that progress goes on where files
// are read slowly.
constexpr std::chrono::milliseconds wakeDelay{10};

} // namespace

HashPipeline::HashPipeline(std::size_t files, unsigned hashers, std::size_t chunkSize,
                           std::size_t bound)
    : chunkSize_(chunkSize)
    , maximumChunks_(std::max<std::size_t>(bound / chunkSize, 1))
    , keys_(files)
{
    hashers = std::max(hashers, 1u);
    lanes_.reserve(hashers);
    for (unsigned made = 0; made < hashers; ++made) {
        lanes_.push_back(std::make_unique<Lane>());
    }
    threads_.reserve(hashers);
    for (const auto& lane : lanes_) {
        threads_.emplace_back([this, &lane = *lane] {
            // Named for whoever looks at the process's threads.
            ::pthread_setname_np(::pthread_self(), "file-hasher");
            hash(lane);
        });
    }
}

HashPipeline::~HashPipeline()
{
    join();
}

void HashPipeline::join()
{
    stopping_.request_stop();
    for (std::thread& thread : threads_) {
        if (thread.joinable()) {
            thread.join();
        }
    }
}

void HashPipeline::start(std::size_t position)
{
    current_ = position;
    currentLane_ = nullptr;
}

std::span<std::byte> HashPipeline::room(std::size_t wanted)
{
    if (!open_) {
        std::unique_lock lock(mutex_);
        if (spare_.empty() && chunksMade_ == maximumChunks_) {
            nudgeAll();
        }
        const bool available = freed_.wait(lock, stopping_.get_token(), [this] {
            return !spare_.empty() || chunksMade_ < maximumChunks_;
        });
        if (!available) {
            throw Cancelled{};
        }
        if (!spare_.empty()) {
            open_ = std::move(spare_.back());
            spare_.pop_back();
        } else {
            ++chunksMade_;
            lock.unlock();
            open_ = std::make_unique_for_overwrite<std::byte[]>(chunkSize_);
        }
    }
    return {open_.get(), std::min(chunkSize_, wanted)};
}

void HashPipeline::fill(std::size_t count)
{
    push(Piece{current_, std::move(open_), count, false, std::nullopt});
}

void HashPipeline::finish(std::optional<PassKey> key)
{
    if (currentLane_) {
        push(Piece{current_, nullptr, 0, true, key});
    } else {
        end(current_, key);
    }
    currentLane_ = nullptr;
}

// A file goes whole to the lane with the fewest bytes still to hash, the next one in turn on a
// tie, so that idle threads take new files while a large one is hashed.
void HashPipeline::push(Piece piece)
{
    Lane* lane = nullptr;
    {
        const std::lock_guard lock(mutex_);
        if (!currentLane_) {
            const auto least =
                std::min_element(lanes_.begin(), lanes_.end(), [](const auto& a, const auto& b) {
                    return a->queued < b->queued;
                });
            currentLane_ = least->get();
            // Ties rotate: the chosen lane moves to the back.
            std::rotate(least, least + 1, lanes_.end());
        }
        lane = currentLane_;
        lane->queued += piece.count;
        // The last piece counts as some work, so that a lane of many small files wakes too.
        lane->unsignalled += std::max<std::size_t>(piece.count, 4096);
        lane->pieces.push_back(std::move(piece));
        nudge(*lane, false);
    }
}

void HashPipeline::nudge(Lane& lane, bool now)
{
    if (lane.sleeping && !lane.pieces.empty() &&
        (now || lane.unsignalled >= wakeBatch ||
         std::chrono::steady_clock::now() - lane.asleepSince >= wakeDelay)) {
        lane.sleeping = false;
        lane.wake.notify_one();
    }
}

void HashPipeline::nudgeAll()
{
    for (const auto& lane : lanes_) {
        nudge(*lane, true);
    }
}

void HashPipeline::hash(Lane& lane)
{
    try {
        const std::stop_token stop = stopping_.get_token();
        std::optional<Sha256> hash;
        bool broken = false;
        while (true) {
            std::unique_lock lock(mutex_);
            if (lane.pieces.empty()) {
                lane.sleeping = true;
                lane.asleepSince = std::chrono::steady_clock::now();
                lane.unsignalled = 0;
                if (!lane.wake.wait(lock, stop, [&lane] { return !lane.sleeping; })) {
                    return;
                }
            }
            Piece piece = std::move(lane.pieces.front());
            lane.pieces.pop_front();
            lock.unlock();
            hashPiece(piece, hash, broken);
            if (piece.chunk) {
                lock.lock();
                lane.queued -= piece.count;
                spare_.push_back(std::move(piece.chunk));
                lock.unlock();
                freed_.notify_one();
            }
        }
    } catch (...) {
        fail(std::current_exception());
    }
}

// A file that cannot be hashed drops out, as one that cannot be read; only running out of
// memory ends the pass.
void HashPipeline::hashPiece(Piece& piece, std::optional<Sha256>& hash, bool& broken)
{
    try {
        if (!piece.last) {
            if (!broken) {
                if (!hash) {
                    hash.emplace();
                }
                hash->update(std::span<const std::byte>(piece.chunk.get(), piece.count));
            }
            return;
        }
        if (piece.key && !broken && hash) {
            *piece.key = hash->finish();
            end(piece.position, piece.key);
        } else {
            end(piece.position, std::nullopt);
        }
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        broken = true;
        if (piece.last) {
            end(piece.position, std::nullopt);
        }
    }
    if (piece.last) {
        hash.reset();
        broken = false;
    }
}

// Each key has its own slot, written by one thread and read only once every thread is joined.
void HashPipeline::end(std::size_t position, std::optional<PassKey> key)
{
    keys_[position] = key;
    if (finished_.fetch_add(1) + 1 == keys_.size()) {
        const std::lock_guard lock(mutex_);
        changed_.notify_one();
    }
}

std::optional<std::size_t> HashPipeline::waitBeyond(std::size_t told)
{
    std::unique_lock lock(mutex_);
    nudgeAll();
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

void HashPipeline::fail(std::exception_ptr failure)
{
    {
        const std::lock_guard lock(mutex_);
        if (!failure_) {
            failure_ = std::move(failure);
        }
    }
    stopping_.request_stop();
}

HashPipeline::Keys HashPipeline::result()
{
    join();
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    return std::move(keys_);
}

} // namespace tollenvane
