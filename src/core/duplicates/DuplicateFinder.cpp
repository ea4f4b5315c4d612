#include "core/duplicates/DuplicateFinder.h"

#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/base/Sha256.h"
#include "core/duplicates/VerifiedFile.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <span>
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

// The file's content may be read now: it is on this computer and still the version recorded.
// Returns the fresh record, whose identity the opened descriptor must match.
FileRecord requireUnchanged(const FileRecord& record, const std::stop_token& stop,
                            const FileRecord::Environment& environment)
{
    if (!FileRecord::isAvailableLocally(std::string(record.path()), environment.cloud)) {
        throw FileError(FileError::offline);
    }
    FileRecord fresh = FileRecord::read(std::string(record.path()), stop, environment);
    if (!fresh.sameVersion(record)) {
        throw FileError(FileError::changed);
    }
    return fresh;
}

VerifiedFile openUnchanged(const FileRecord& record, VerifiedFile::Access access,
                           const std::stop_token& stop, const FileRecord::Environment& environment)
{
    const FileRecord fresh = requireUnchanged(record, stop, environment);
    return VerifiedFile::open(std::string(record.path()), fresh.identity(), access);
}

// Memory for the reads of a whole search, left uninitialised: a fresh megabyte for every file
// would be mapped and cleared again each time.
class ReadBuffer {
public:
    explicit ReadBuffer(std::int64_t size)
        : size_(static_cast<std::size_t>(size))
        , bytes_(std::make_unique_for_overwrite<std::byte[]>(size_))
    {}

    std::span<std::byte> bytes(std::int64_t count) const
    {
        return {bytes_.get(), std::min(size_, static_cast<std::size_t>(count))};
    }

private:
    std::size_t size_;
    std::unique_ptr<std::byte[]> bytes_;
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

using KeyOf = std::function<std::string(const FileRecord&)>;

// A file that cannot be read drops out of the search; only a cancellation, or running out of
// memory, ends the search itself.
std::optional<std::string> keyOrNothing(const KeyOf& keyOf, const FileRecord& record)
{
    try {
        return keyOf(record);
    } catch (const Cancelled&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

struct Pass {
    std::span<const FileRecord> records;
    std::int64_t total;
    ProgressThrottle& throttle;
    const std::stop_token& stop;

    // Files are counted as done from `doneBefore` on.
    Buckets<std::string> run(const Indices& members, std::int64_t doneBefore,
                             const KeyOf& keyOf) const
    {
        Buckets<std::string> buckets;
        for (std::size_t position = 0; position < members.size(); ++position) {
            throwIfCancelled(stop);
            const std::size_t index = members[position];
            if (auto key = keyOrNothing(keyOf, records[index])) {
                buckets.add(std::move(*key), index);
            }
            throttle.offer(doneBefore + static_cast<std::int64_t>(position) + 1, total);
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

std::string fullDigest(const FileRecord& record, const std::stop_token& stop,
                       const FileRecord::Environment& environment, std::span<std::byte> chunk)
{
    Sha256 hash;
    {
        const VerifiedFile file =
            openUnchanged(record, VerifiedFile::Access::sequential, stop, environment);
        std::int64_t offset = 0;
        while (true) {
            throwIfCancelled(stop);
            const std::size_t count = file.readAt(offset, chunk);
            hash.update(chunk.first(count));
            offset += static_cast<std::int64_t>(count);
            // A read falls short of the chunk only at the end of the file.
            if (count < chunk.size()) {
                break;
            }
        }
    }
    // A file that changed or went away while it was read would otherwise join a group with a
    // digest of no version that ever existed.
    requireUnchanged(record, stop, environment);
    return hash.finishHex();
}

std::string sampleKey(const FileRecord& record, const std::stop_token& stop,
                      const FileRecord::Environment& environment, std::span<std::byte> window)
{
    Sha256 hash;
    {
        const VerifiedFile file =
            openUnchanged(record, VerifiedFile::Access::random, stop, environment);
        for (const std::int64_t offset : sampleOffsets(record.size())) {
            throwIfCancelled(stop);
            // The file was just found to be the recorded version, so no window reaches past
            // the recorded size; one that changed meanwhile is refused below.
            const auto wanted =
                std::min(window.size(), static_cast<std::size_t>(record.size() - offset));
            const std::size_t count = file.readAt(offset, window.first(wanted));
            hash.update(window.first(count));
        }
    }
    requireUnchanged(record, stop, environment);
    return std::to_string(record.size()) + ":" + hash.finishHex();
}

} // namespace

std::vector<DuplicateGroup> find(std::span<const FileRecord> records, const Progress& progress,
                                 std::stop_token stop, const Clock& clock,
                                 const FileRecord::Environment& environment)
{
    throwIfCancelled(stop);
    const Indices sameSize = sharingSize(records, candidates(records));
    const auto total = 2 * static_cast<std::int64_t>(sameSize.size());
    ProgressThrottle throttle(progress, clock, progressInterval);
    const Pass pass{records, total, throttle, stop};

    ReadBuffer buffer(digestChunk);
    const Buckets<std::string> bySample = pass.run(sameSize, 0, [&](const FileRecord& record) {
        return sampleKey(record, stop, environment, buffer.bytes(sampleWindow));
    });
    const Indices sameSample = bySample.shared();
    const Buckets<std::string> byDigest =
        pass.run(sameSample, total - static_cast<std::int64_t>(sameSample.size()),
                 [&](const FileRecord& record) {
                     return fullDigest(record, stop, environment, buffer.bytes(digestChunk));
                 });

    throwIfCancelled(stop);
    throttle.report(total, total);
    return groupsOf(records, byDigest);
}

std::string digest(const FileRecord& record, std::stop_token stop,
                   const FileRecord::Environment& environment)
{
    ReadBuffer buffer(digestChunk);
    return fullDigest(record, stop, environment, buffer.bytes(digestChunk));
}

std::string sample(const FileRecord& record, std::stop_token stop,
                   const FileRecord::Environment& environment)
{
    ReadBuffer buffer(sampleWindow);
    return sampleKey(record, stop, environment, buffer.bytes(sampleWindow));
}

} // namespace tollenvane::DuplicateFinder
