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
#include <numeric>
#include <optional>
#include <span>
#include <thread>
#include <unordered_set>
#include <utility>

namespace tollenvane::DuplicateFinder {

namespace {

using Indices = std::vector<std::size_t>;

// Record indices in lists of equal keys, lists of one left out: each list in the order the
// indices came, the lists in the order their keys first came, so that a search over the same
// files visits them in the same order.
template <typename Key>
struct SharedLists {
    Indices members;
    // Where each list ends in `members`, and its key.
    std::vector<std::size_t> ends;
    std::vector<Key> keys;

    template <typename Visit>
    void forEach(const Visit& visit) const
    {
        std::size_t begin = 0;
        for (std::size_t list = 0; list < ends.size(); ++list) {
            visit(keys[list], std::span(members).subspan(begin, ends[list] - begin));
            begin = ends[list];
        }
    }
};

// The `indices` at the `positions` (ascending) whose `keyAt` another position shares. Sorting
// needs no more memory than the positions, where a table of lists takes an allocation per key.
template <typename Key, typename KeyAt>
SharedLists<Key> sharedLists(Indices positions, const Indices& indices, const KeyAt& keyAt)
{
    std::stable_sort(positions.begin(), positions.end(),
                     [&](std::size_t a, std::size_t b) { return keyAt(a) < keyAt(b); });
    // A stable sort leaves each run ascending: its first position is its smallest.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t begin = 0, end = 0; begin < positions.size(); begin = end) {
        end = begin + 1;
        while (end < positions.size() && !(keyAt(positions[begin]) < keyAt(positions[end]))) {
            ++end;
        }
        if (end - begin > 1) {
            runs.emplace_back(begin, end);
        }
    }
    std::sort(runs.begin(), runs.end(), [&](const auto& a, const auto& b) {
        return positions[a.first] < positions[b.first];
    });
    SharedLists<Key> lists;
    lists.ends.reserve(runs.size());
    lists.keys.reserve(runs.size());
    for (const auto& [begin, end] : runs) {
        for (std::size_t at = begin; at < end; ++at) {
            lists.members.push_back(indices[positions[at]]);
        }
        lists.ends.push_back(lists.members.size());
        lists.keys.push_back(keyAt(positions[begin]));
    }
    return lists;
}

Indices ascending(std::size_t count)
{
    Indices positions(count);
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    return positions;
}

std::vector<std::int64_t> sampleOffsets(std::int64_t size)
{
    std::vector<std::int64_t> offsets{0, std::max<std::int64_t>(size / 2 - halfWindow, 0),
                                      std::max<std::int64_t>(size - sampleWindow, 0)};
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
}

// Keeps only the first record of each file on disk among those worth comparing. Sorting a copy
// of the indices takes less memory than a table of every file's identity.
Indices candidates(std::span<const FileRecord> records)
{
    Indices kept;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const FileRecord& record = records[index];
        if (record.available() && record.size() >= 1 && record.kind() != FileKind::application) {
            kept.push_back(index);
        }
    }
    Indices byIdentity = kept;
    const auto identityAt = [&](std::size_t index) {
        const FileIdentity identity = records[index].identity();
        return std::pair(identity.device, identity.inode);
    };
    std::stable_sort(byIdentity.begin(), byIdentity.end(),
                     [&](std::size_t a, std::size_t b) { return identityAt(a) < identityAt(b); });
    std::vector<bool> later(records.size());
    for (std::size_t at = 1; at < byIdentity.size(); ++at) {
        later[byIdentity[at]] = identityAt(byIdentity[at - 1]) == identityAt(byIdentity[at]);
    }
    std::erase_if(kept, [&](std::size_t index) { return later[index]; });
    return kept;
}

Indices sharingSize(std::span<const FileRecord> records, const Indices& members)
{
    const auto sizeAt = [&](std::size_t position) { return records[members[position]].size(); };
    return sharedLists<std::int64_t>(ascending(members.size()), members, sizeAt).members;
}

// Files are told apart by their size and the key of a pass.
using SizedKey = std::pair<std::int64_t, PassKey>;

using KeyOf = std::function<PassKey(std::size_t position, HashFeed& feed, VerifiedFile::Reach reach,
                                    const std::stop_token& stop)>;

// A file that cannot be read drops out of the search; only a cancellation, or running out of
// memory, ends the search itself.
std::optional<PassKey> keyOrNothing(const KeyOf& keyOf, std::size_t position, HashFeed& feed,
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
    std::vector<std::size_t> order = ascending(members.size());
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
    SharedLists<SizedKey> run(const Indices& members, std::int64_t doneBefore,
                              std::size_t chunkSize, const KeyOf& keyOf) const
    {
        const std::vector<std::size_t> order = readingOrder(records, members, threads.readers);
        const auto keys = PassWorkers::run(
            order, threads, chunkSize, stop,
            [&](std::size_t position, HashFeed& feed, VerifiedFile::Reach reach,
                const std::stop_token& workerStop) {
                return keyOrNothing(keyOf, position, feed, reach, workerStop);
            },
            [&](std::size_t count) {
                throwIfCancelled(stop);
                throttle.offer(doneBefore + static_cast<std::int64_t>(count), total);
            });
        Indices keyed;
        for (std::size_t position = 0; position < members.size(); ++position) {
            if (keys[position]) {
                keyed.push_back(position);
            }
        }
        return sharedLists<SizedKey>(std::move(keyed), members, [&](std::size_t position) {
            return SizedKey{records[members[position]].size(), *keys[position]};
        });
    }
};

std::vector<DuplicateGroup> groupsOf(std::span<const FileRecord> records,
                                     const SharedLists<SizedKey>& byDigest)
{
    std::vector<DuplicateGroup> groups;
    byDigest.forEach([&](const SizedKey& key, std::span<const std::size_t> list) {
        DuplicateGroup group{Sha256::hex(key.second), {}};
        for (const std::size_t index : list) {
            group.files.push_back(records[index]);
        }
        std::sort(group.files.begin(), group.files.end(),
                  [](const FileRecord& a, const FileRecord& b) { return a.path() < b.path(); });
        groups.push_back(std::move(group));
    });
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

// The whole content fed; the key is its digest.
PassKey fullDigest(const FileRecord& record, const std::stop_token& stop,
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

// The windows fed; the key is their digest.
PassKey sampleKey(const FileRecord& record, const std::stop_token& stop,
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
    return {};
}

// The files whose samples matched another's, with the sample's hash where one window covered
// the whole file: that hash is the file's digest already.
struct SampledFiles {
    Indices members;
    std::vector<std::optional<PassKey>> wholeDigests;
};

SampledFiles sharedSamples(std::span<const FileRecord> records,
                           const SharedLists<SizedKey>& bySample)
{
    SampledFiles sampled{bySample.members, {}};
    sampled.wholeDigests.reserve(sampled.members.size());
    bySample.forEach([&](const SizedKey& key, std::span<const std::size_t> list) {
        for (const std::size_t index : list) {
            sampled.wholeDigests.push_back(
                records[index].size() <= sampleWindow ? std::optional(key.second) : std::nullopt);
        }
    });
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

    const SharedLists<SizedKey> bySample = pass.run(
        sameSize, 0, sampleWindow,
        [&](std::size_t position, HashFeed& feed, VerifiedFile::Reach reach,
            const std::stop_token& workerStop) {
            return sampleKey(records[sameSize[position]], workerStop, environment, feed, reach);
        });
    const SampledFiles sameSample = sharedSamples(records, bySample);
    const SharedLists<SizedKey> byDigest =
        pass.run(sameSample.members, total - static_cast<std::int64_t>(sameSample.members.size()),
                 digestChunk,
                 [&](std::size_t position, HashFeed& feed, VerifiedFile::Reach reach,
                     const std::stop_token& workerStop) {
                     const FileRecord& record = records[sameSample.members[position]];
                     if (const auto whole = sameSample.wholeDigests[position]) {
                         UnchangedFile::confirm(record, environment.cloud);
                         return *whole;
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
    return Sha256::hex(feed.key(fullDigest(record, stop, environment, feed)));
}

std::string sample(const FileRecord& record, std::stop_token stop,
                   const FileRecord::Environment& environment)
{
    DirectFeed feed(sampleWindow);
    return std::to_string(record.size()) + ":" +
           Sha256::hex(feed.key(sampleKey(record, stop, environment, feed)));
}

} // namespace tollenvane::DuplicateFinder
