#pragma once

#include "core/duplicates/DuplicateGroup.h"
#include "core/duplicates/ProgressThrottle.h"
#include "core/records/FileRecord.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

// Finds files of identical content. Files are narrowed down in three passes (same size, same
// sample of at most three 64 KiB windows, same whole-content digest), so that a file is read
// only when another candidate could still match it, and read whole only when its sample does.
// Every read is preceded and followed by a check that the file is still the one recorded.
namespace tollenvane::DuplicateFinder {

using Progress = ProgressThrottle::Progress;
using Clock = ProgressThrottle::Clock;

inline constexpr std::int64_t sampleWindow = 65'536;
inline constexpr std::int64_t halfWindow = 32'768;
inline constexpr std::size_t digestChunk = 1'048'576;
inline constexpr std::chrono::milliseconds progressInterval{120};
// Lets the search choose how many threads read: one per core up to the maximum, one alone
// where a file lies on a rotational disk, after one per core read what the page cache holds;
// and how many hash: one per core up to the maximum.
inline constexpr unsigned automaticThreads = 0;
inline constexpr unsigned maximumThreads = 8;

// The groups of identical files among `records`, by reclaimable bytes descending. Only records
// that are available, not empty and not applications take part, one per file on disk (hard
// links count once). A file that cannot be read or changed since it was recorded drops out
// without a word. `progress` receives (done, total) at most once per progress interval and
// always once at the end, (0, 0) when nothing was worth reading; it is called on the calling
// thread. Throws Cancelled, and nothing else of its own, when `stop` is requested. Files are
// read on `threads` threads; where one alone reads, what it reads is hashed on `hashers` other
// threads (one: on the reader itself), and `cacheReaders` threads first read what the page cache
// holds. The result is the same with any number of each.
// `environment` must bear calls from several threads at once.
std::vector<DuplicateGroup>
find(std::span<const FileRecord> records, const Progress& progress, std::stop_token stop = {},
     const Clock& clock = {},
     const FileRecord::Environment& environment = FileRecord::Environment::system(),
     unsigned threads = automaticThreads, unsigned hashers = automaticThreads,
     unsigned cacheReaders = automaticThreads);

// SHA-256 of the whole content, 64 lower-case hexadecimal digits. Throws FileError::offline,
// FileError::changed (also when the file changes while it is read), what
// FileRecord::isAvailableLocally and FileRecord::read throw, what opening and reading
// throw (VerifiedFile), and Cancelled.
std::string digest(const FileRecord& record, std::stop_token stop = {},
                   const FileRecord::Environment& environment = FileRecord::Environment::system());

// The recorded size in decimal, ":", and the SHA-256 of the windows at 0, at the middle less
// half a window and at the end less a window (each counted once, at most 64 KiB each). Throws
// as digest.
std::string sample(const FileRecord& record, std::stop_token stop = {},
                   const FileRecord::Environment& environment = FileRecord::Environment::system());

} // namespace tollenvane::DuplicateFinder
