#pragma once

#include "core/duplicates/HashFeed.h"
#include "core/duplicates/VerifiedFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

namespace tollenvane {

// Runs one pass of the duplicate search: a key for each file, computed on a few threads, while
// the calling thread hears of every completion in turn, so that progress is reported from the
// caller's side in increasing order.
namespace PassWorkers {

// The key of the file at `position`, whose hash the bytes read in turn into `feed` with `reach`
// replace (see HashFeed); nothing when the file drops out. May run on any thread, and throws only
// to end the whole pass, or VerifiedFile::NotCached to have the file read again from the disk.
using Job = std::function<std::optional<PassKey>(
    std::size_t position, HashFeed& feed, VerifiedFile::Reach reach, const std::stop_token& stop)>;
// Told on the calling thread that `count` files are done, for count 1, 2, ...; may throw to end
// the pass.
using Done = std::function<void(std::size_t count)>;

// How many threads read files, and how many hash what a lone reader reads (one: the reader
// hashes too). Before a lone reader starts, `cacheReaders` threads read at once every file
// whose bytes the page cache holds: the lone reader reads only what must come from the disk.
struct Threads {
    unsigned readers;
    unsigned hashers;
    unsigned cacheReaders = 0;
};

// The keys by position, for the positions of `order` taken in that order; files are read in
// chunks of `chunkSize` bytes at most. Several readers share one chunk's worth of memory: each
// reads in pieces of its share, but never of less than 64 KiB (or `chunkSize` when smaller), so
// that a job can count on room for that much at once. With one reader all files are opened and read
// on the calling thread, in that order. Ends, with every thread joined, by rethrowing the first
// throw of a job or of `done`, or Cancelled when `stop` is requested.
std::vector<std::optional<PassKey>> run(std::span<const std::size_t> order, Threads threads,
                                        std::size_t chunkSize, const std::stop_token& stop,
                                        const Job& job, const Done& done);

} // namespace PassWorkers
} // namespace tollenvane
