#include "core/insights/RecordStore.h"

#include "core/base/TextHash.h"
#include "core/base/WritablePages.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>

namespace tollenvane {

namespace {

std::size_t hashOf(std::string_view path)
{
    return TextHash{}(path);
}

// Inodes come in runs; mixing every bit keeps runs from clustering in the probe sequences.
std::size_t hashOf(const FileIdentity& identity)
{
    std::uint64_t x = identity.inode ^ (identity.device * 0x9e3779b97f4a7c15ULL);
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return static_cast<std::size_t>(x ^ (x >> 31));
}

} // namespace

const FileRecord& RecordStore::at(Position position) const
{
    return chunks_[position / chunkSize][position % chunkSize];
}

FileRecord& RecordStore::at(Position position)
{
    return chunks_[position / chunkSize][position % chunkSize];
}

std::size_t RecordStore::pathHashAt(Position position) const
{
    return hashOf(at(position).path());
}

std::size_t RecordStore::identityHashAt(Position position) const
{
    return hashOf(at(position).identity());
}

RecordStore::Hashes RecordStore::hashesOf(const FileRecord& record)
{
    return {hashOf(record.path()), hashOf(record.identity())};
}

RecordStore::Insertion RecordStore::add(FileRecord record)
{
    const Hashes hashes = hashesOf(record);
    return add(std::move(record), hashes);
}

std::vector<RecordStore::Insertion> RecordStore::add(std::vector<FileRecord> records)
{
    // Sized first, so that no insertion moves the slots fetched ahead.
    reserve(size_ + records.size());
    std::vector<Hashes> hashes;
    hashes.reserve(records.size());
    for (const FileRecord& record : records) {
        hashes.push_back(hashesOf(record));
    }
    // Far enough ahead for the memory to answer, near enough for the cache to keep it.
    constexpr std::size_t ahead = 16;
    for (std::size_t i = 0; i < std::min(ahead, hashes.size()); ++i) {
        byPath_.prefetch(hashes[i].path);
        byIdentity_.prefetch(hashes[i].identity);
    }
    std::vector<Insertion> insertions;
    insertions.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i + ahead < hashes.size()) {
            byPath_.prefetch(hashes[i + ahead].path);
            byIdentity_.prefetch(hashes[i + ahead].identity);
        }
        insertions.push_back(add(std::move(records[i]), hashes[i]));
    }
    return insertions;
}

RecordStore::Insertion RecordStore::add(FileRecord record, Hashes hashes)
{
    const std::string_view path = record.path();
    if (byPath_.find(hashes.path, [this, path](Position p) { return at(p).path() == path; })) {
        return {};
    }
    if (size_ >= std::numeric_limits<Position>::max() - 1) {
        throw std::length_error("too many records to index");
    }
    if (size_ % chunkSize == 0) {
        std::vector<FileRecord>& chunk = chunks_.emplace_back();
        chunk.reserve(chunkSize);
        prepareForWriting(chunk.data(), chunkSize * sizeof(FileRecord));
    }
    const FileIdentity identity = record.identity();
    const bool first =
        byIdentity_.count(
            hashes.identity, [this, &identity](Position p) { return at(p).identity() == identity; },
            1) == 0;
    chunks_.back().push_back(std::move(record));
    const auto position = static_cast<Position>(size_++);
    byPath_.insert(position, hashes.path);
    byIdentity_.insert(position, hashes.identity);
    return {&at(position), first};
}

void RecordStore::reserve(std::size_t count)
{
    byPath_.reserve(count);
    byIdentity_.reserve(count);
}

std::optional<RecordStore::Position> RecordStore::positionOf(std::string_view path) const
{
    return byPath_.find(hashOf(path), [this, path](Position p) { return at(p).path() == path; });
}

const FileRecord* RecordStore::find(std::string_view path) const
{
    const auto position = positionOf(path);
    return position ? &at(*position) : nullptr;
}

std::optional<FileRecord> RecordStore::take(std::string_view path)
{
    const auto position = positionOf(path);
    if (!position) {
        return std::nullopt;
    }
    byPath_.erase(*position, pathHashAt(*position));
    byIdentity_.erase(*position, identityHashAt(*position));
    FileRecord taken = std::move(at(*position));

    // The last record fills the hole, so the store stays dense.
    const auto last = static_cast<Position>(size_ - 1);
    if (*position != last) {
        byPath_.relocate(last, *position, pathHashAt(last));
        byIdentity_.relocate(last, *position, identityHashAt(last));
        at(*position) = std::move(at(last));
    }
    chunks_.back().pop_back();
    if (chunks_.back().empty()) {
        chunks_.pop_back();
    }
    --size_;
    return taken;
}

std::size_t RecordStore::holders(const FileIdentity& identity, std::size_t limit) const
{
    return byIdentity_.count(
        hashOf(identity), [this, &identity](Position p) { return at(p).identity() == identity; },
        limit);
}

RecordStore::Iterator RecordStore::begin() const
{
    return {this, 0};
}

RecordStore::Iterator RecordStore::end() const
{
    return {this, size_};
}

} // namespace tollenvane
