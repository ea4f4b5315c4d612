#include "core/duplicates/DuplicateFinder.h"

#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/duplicates/HashFeed.h"
#include "core/duplicates/PassWorkers.h"
#include "core/duplicates/UnchangedFile.h"
#include "core/platform/DiskRotation.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace tollenvane::DuplicateFinder {

namespace {

using Indices = std::vector<std::size_t>;

// Lists of record indices under their keys, in the order the keys first came, so that a search
// over the same files visits them in the same order.
template <typename Key>
class Buckets {
public:
    void add(Key key, std::size_t index)
    {
        const auto [slot, inserted] = slots_.try_emplace(std::move(key), lists_.size());
        if (inserted) {
            lists_.push_back({slot->first, {}});
        }
        lists_[slot->second].second.push_back(index);
    }

    // The members of every list that holds more than one.
    Indices shared() const
    {
        Indices members;
        for (const auto& [key, list] : lists_) {
            if (list.size() > 1) {
                members.insert(members.end(), list.begin(), list.end());
            }
        }
        return members;
    }

    const std::vector<std::pair<Key, Indices>>& lists() const { return lists_; }

private:
    std::unordered_map<Key, std::size_t> slots_;
    std::vector<std::pair<Key, Indices>> lists_;
};

std::vector<std::int64_t> sampleOffsets(std::int64_t size)
{
    std::vector<std::int64_t> offsets{0, std::max<std::int64_t>(size / 2 - halfWindow, 0),
                                      std::max<std::int64_t>(size - sampleWindow, 0)};
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
}

// Keeps only the first record of each file on disk among those worth comparing.
Indices candidates(std::span<const FileRecord> records)
{
    Indices kept;
    std::unordered_set<FileIdentity> seen;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const FileRecord& record = records[index];
        if (!record.available() || record.size() < 1 || record.kind() == FileKind::application) {
            continue;
        }
        if (seen.insert(record.identity()).second) {
            kept.push_back(index);
        }
    }
    return kept;
}

Indices sharingSize(std::span<const FileRecord> records, const Indices& members)
{
    Buckets<std::int64_t> bySize;
    for (const std::size_t index : members) {
        bySize.add(records[index].size(), index);
    }
    return bySize.shared();
}

using KeyOf = std::function<std::string(std::size_t position, HashFeed& feed,
                                        VerifiedFile::Reach reach, const std::stop_token& stop)>;

// A file that cannot be read drops out of the search; only a cancellation, or running out of
// memory, ends the search itself.
std::optional<std::string> keyOrNothing(const KeyOf& keyOf, std::size_t position, HashFeed& feed,
                                        VerifiedFile::Reach reach, const std::stop_token& stop)
{
    try {
        return keyOf(position, feed, reach, stop);
    } catch (const Cancelled&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Several threads read the largest files first, so that none is left with a large file alone at
// the end; one thread reads the files in the order given.
std::vector<std::size_t> readingOrder(std::span<const FileRecord> records, const Indices& members,
                                      unsigned threads)
{
    std::vector<std::size_t> order(members.size());
    for (std::size_t position = 0; position < order.size(); ++position) {
        order[position] = position;
    }
    if (threads > 1) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return records[members[a]].size() > records[members[b]].size();
        });
    }
    return order;
}

struct Pass {
    std::span<const FileRecord> records;
    std::int64_t total;
    ProgressThrottle& throttle;
    const std::stop_token& stop;
    PassWorkers::Threads threads;

    // Files are counted as done from `doneBefore` on. The keys are gathered in the order of
    // `members`, whatever order they were read in.
    Buckets<std::string> run(const Indices& members, std::int64_t doneBefore, std::size_t chunkSize,
                             const KeyOf& keyOf) const
    {
        const std::vector<std::size_t> order = readingOrder(records, members, threads.readers);
        auto keys = PassWorkers::run(
            order, threads, chunkSize, stop,
            [&](std::size_t position, HashFeed& feed, VerifiedFile::Reach reach,
                const std::stop_token& workerStop) {
                return keyOrNothing(keyOf, position, feed, reach, workerStop);
            },
            [&](std::size_t count) {
                throwIfCancelled(stop);
                throttle.offer(doneBefore + static_cast<std::int64_t>(count), total);
            });
        Buckets<std::string> buckets;
        for (std::size_t position = 0; position < members.size(); ++position) {
            if (keys[position]) {
                buckets.add(std::move(*keys[position]), members[position]);
            }
        }
        return buckets;
    }
};

std::vector<DuplicateGroup> groupsOf(std::span<const FileRecord> records,
                                     const Buckets<std::string>& byDigest)
{
    std::vector<DuplicateGroup> groups;
    for (const auto& [digestText, list] : byDigest.lists()) {
        if (list.size() < 2) {
            continue;
        }
        DuplicateGroup group{digestText, {}};
        for (const std::size_t index : list) {
            group.files.push_back(records[index]);
        }
        std::sort(group.files.begin(), group.files.end(),
                  [](const FileRecord& a, const FileRecord& b) { return a.path() < b.path(); });
        groups.push_back(std::move(group));
    }
    // Equal amounts fall back to the first path, so that the list does not reshuffle between
    // two searches over the same files.
    std::sort(groups.begin(), groups.end(), [](const DuplicateGroup& a, const DuplicateGroup& b) {
        if (a.reclaimable() != b.reclaimable()) {
            return a.reclaimable() > b.reclaimable();
        }
        return a.files.front().path() < b.files.front().path();
    });
    return groups;
}

// The whole content fed; the key is its digest alone.
std::string fullDigest(const FileRecord& record, const std::stop_token& stop,
                       const FileRecord::Environment& environment, HashFeed& feed,
                       VerifiedFile::Reach reach = VerifiedFile::Reach::disk)
{
    {
        const VerifiedFile file =
            UnchangedFile::open(record, VerifiedFile::Access::sequential, environment.cloud);
        std::int64_t offset = 0;
        while (true) {
            throwIfCancelled(stop);
            const std::span<std::byte> chunk = feed.room(digestChunk);
            const std::size_t count = file.readAt(offset, chunk, reach);
            feed.fill(count);
            offset += static_cast<std::int64_t>(count);
            // A read falls short of the chunk only at the end of the file.
            if (count < chunk.size()) {
                break;
            }
        }
    }
    // A file that changed or went away while it was read would otherwise join a group with a
    // digest of no version that ever existed.
    UnchangedFile::confirm(record, environment.cloud);
    return {};
}

// The windows fed; the key is the size, ":" and their digest.
std::string sampleKey(const FileRecord& record, const std::stop_token& stop,
                      const FileRecord::Environment& environment, HashFeed& feed,
                      VerifiedFile::Reach reach = VerifiedFile::Reach::disk)
{
    {
        const VerifiedFile file =
            UnchangedFile::open(record, VerifiedFile::Access::random, environment.cloud);
        for (const std::int64_t offset : sampleOffsets(record.size())) {
            throwIfCancelled(stop);
            // The file was just found to be the recorded version, so no window reaches past
            // the recorded size; one that changed meanwhile is refused below.
            const auto wanted = std::min(static_cast<std::size_t>(sampleWindow),
                                         static_cast<std::size_t>(record.size() - offset));
            const std::span<std::byte> window = feed.room(wanted);
            feed.fill(file.readAt(offset, window, reach));
        }
    }
    UnchangedFile::confirm(record, environment.cloud);
    return std::to_string(record.size()) + ":";
}

// The files whose samples matched another's, with the sample's hash where one window covered
// the whole file: that hash is the file's digest already.
struct SampledFiles {
    Indices members;
    std::vector<std::optional<std::string_view>> wholeDigests;
};

SampledFiles sharedSamples(std::span<const FileRecord> records,
                           const Buckets<std::string>& bySample)
{
    SampledFiles sampled;
    for (const auto& [key, list] : bySample.lists()) {
        if (list.size() < 2) {
            continue;
        }
        const std::string_view hash = std::string_view(key).substr(key.find(':') + 1);
        for (const std::size_t index : list) {
            sampled.members.push_back(index);
            sampled.wholeDigests.push_back(
                records[index].size() <= sampleWindow ? std::optional(hash) : std::nullopt);
        }
    }
    return sampled;
}

unsigned coreThreads()
{
    return std::clamp(std::thread::hardware_concurrency(), 1u, maximumThreads);
}

bool onRotationalDisk(std::span<const FileRecord> records, const Indices& members)
{
    std::unordered_set<std::uint64_t> devices;
    for (const std::size_t index : members) {
        if (devices.insert(records[index].device()).second &&
            DiskRotation::isRotational(records[index].device()).value_or(false)) {
            return true;
        }
    }
    return false;
}

// A hard disk reading several files at once would spend its time seeking between them: there
// one thread reads what must come from the disk, once every core has read what the page cache
// holds.
PassWorkers::Threads threadsFor(std::span<const FileRecord> records, const Indices& members,
                                unsigned readers, unsigned hashers, unsigned cacheReaders)
{
    const bool chosen = readers == automaticThreads;
    if (chosen) {
        readers = onRotationalDisk(records, members) ? 1 : coreThreads();
    }
    if (hashers == automaticThreads) {
        hashers = coreThreads();
    }
    if (cacheReaders == automaticThreads) {
        cacheReaders = chosen && readers == 1 ? coreThreads() : 0;
    }
    return {readers, hashers, cacheReaders};
}

} // namespace

std::vector<DuplicateGroup> find(std::span<const FileRecord> records, const Progress& progress,
                                 std::stop_token stop, const Clock& clock,
                                 const FileRecord::Environment& environment, unsigned threads,
                                 unsigned hashers, unsigned cacheReaders)
{
    throwIfCancelled(stop);
    const Indices sameSize = sharingSize(records, candidates(records));
    const auto total = 2 * static_cast<std::int64_t>(sameSize.size());
    ProgressThrottle throttle(progress, clock, progressInterval);
    const Pass pass{records, total, throttle, stop,
                    threadsFor(records, sameSize, threads, hashers, cacheReaders)};

    const Buckets<std::string> bySample = pass.run(
        sameSize, 0, sampleWindow,
        [&](std::size_t position, HashFeed& feed, VerifiedFile::Reach reach,
            const std::stop_token& workerStop) {
            return sampleKey(records[sameSize[position]], workerStop, environment, feed, reach);
        });
    const SampledFiles sameSample = sharedSamples(records, bySample);
    const Buckets<std::string> byDigest =
        pass.run(sameSample.members, total - static_cast<std::int64_t>(sameSample.members.size()),
                 digestChunk,
                 [&](std::size_t position, HashFeed& feed, VerifiedFile::Reach reach,
                     const std::stop_token& workerStop) {
                     const FileRecord& record = records[sameSample.members[position]];
                     if (const auto whole = sameSample.wholeDigests[position]) {
                         UnchangedFile::confirm(record, environment.cloud);
                         return std::string(*whole);
                     }
                     return fullDigest(record, workerStop, environment, feed, reach);
                 });

    throwIfCancelled(stop);
    throttle.report(total, total);
    return groupsOf(records, byDigest);
}

std::string digest(const FileRecord& record, std::stop_token stop,
                   const FileRecord::Environment& environment)
{
    DirectFeed feed(digestChunk);
    return feed.key(fullDigest(record, stop, environment, feed));
}

std::string sample(const FileRecord& record, std::stop_token stop,
                   const FileRecord::Environment& environment)
{
    DirectFeed feed(sampleWindow);
    return feed.key(sampleKey(record, stop, environment, feed));
}

} // namespace tollenvane::DuplicateFinder
