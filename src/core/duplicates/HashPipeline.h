#pragma once

#include "core/duplicates/HashFeed.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

namespace tollenvane {

// Hashes on a few threads what one reading thread reads, file after file: the reader goes on
// with the next file while the last ones are hashed. Each file's chunks are hashed in order by
// one thread. The bytes handed over and not yet hashed stay under a bound: the reader waits for
// room beyond it. Every member but the constructor and destructor is for the reading thread.
class HashPipeline final : public HashFeed {
public:
    using Keys = std::vector<std::optional<PassKey>>;

    // Keys for `files` positions; chunks of `chunkSize` bytes, at most `bound` bytes of them.
    HashPipeline(std::size_t files, unsigned hashers, std::size_t chunkSize, std::size_t bound);
    HashPipeline(const HashPipeline&) = delete;
    HashPipeline& operator=(const HashPipeline&) = delete;
    // Stops the hashing threads and joins them.
    ~HashPipeline() override;

    // The feed of the file at `position` from now on.
    void start(std::size_t position);
    std::span<std::byte> room(std::size_t wanted) override;
    void fill(std::size_t count) override;
    // Ends the current file: its key is `key` with the digest of what was fed, or nothing
    // without a key.
    void finish(std::optional<PassKey> key);

    // Requested when the pass is to stop, by the caller or by a hashing thread that failed.
    std::stop_token stopping() const { return stopping_.get_token(); }
    void stop() { stopping_.request_stop(); }
    // How many files are finished once more than `told` are; nothing when stopping.
    std::optional<std::size_t> waitBeyond(std::size_t told);
    std::size_t finished() const { return finished_.load(); }
    // Joins the hashing threads, rethrows the first failure of one, else gives the keys.
    Keys result();

private:
    using Chunk = std::unique_ptr<std::byte[]>;
    struct Piece {
        std::size_t position;
        Chunk chunk;
        std::size_t count;
        bool last;
        std::optional<PassKey> key;
    };
    struct Lane {
        std::deque<Piece> pieces;
        // Bytes handed to the lane and not yet hashed.
        std::size_t queued = 0;
        // Bytes handed over since the lane's thread last went to sleep.
        std::size_t unsignalled = 0;
        bool sleeping = false;
        std::chrono::steady_clock::time_point asleepSince;
        std::condition_variable_any wake;
    };

    void hash(Lane& lane);
    void hashPiece(Piece& piece, std::optional<Sha256>& hash, bool& broken);
    void push(Piece piece);
    // Wakes a sleeping lane that has enough to do or has slept long enough, or that has anything
    // at all to do when `now`; under the lock.
    static void nudge(Lane& lane, bool now);
    void nudgeAll();
    void end(std::size_t position, std::optional<PassKey> key);
    void fail(std::exception_ptr failure);
    void join();

    std::size_t chunkSize_;
    std::size_t maximumChunks_;
    Keys keys_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Lane>> lanes_;
    std::vector<Chunk> spare_;
    std::size_t chunksMade_ = 0;
    std::condition_variable_any freed_;
    std::condition_variable_any changed_;
    std::atomic<std::size_t> finished_{0};
    std::stop_source stopping_;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
    // The reading thread's own.
    std::size_t current_ = 0;
    Lane* currentLane_ = nullptr;
    Chunk open_;
};

} // namespace tollenvane
