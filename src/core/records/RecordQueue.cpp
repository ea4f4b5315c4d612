#include "core/records/RecordQueue.h"

#include <iterator>
#include <utility>

namespace tollenvane {

namespace {

// A pop that leaves at least this many records consumed may compact.
constexpr std::ptrdiff_t lastHeadBeforeCompaction = 1023;

} // namespace

RecordQueue::RecordQueue(std::vector<FileRecord> records)
    : storage_(std::move(records))
{}

std::ptrdiff_t RecordQueue::count() const
{
    return std::ssize(storage_) - head_;
}

std::optional<FileRecord> RecordQueue::first() const
{
    if (head_ >= std::ssize(storage_)) {
        return std::nullopt;
    }
    return storage_[static_cast<std::size_t>(head_)];
}

std::span<const FileRecord> RecordQueue::remaining() const
{
    return std::span<const FileRecord>(storage_).subspan(static_cast<std::size_t>(head_));
}

void RecordQueue::append(std::vector<FileRecord> records)
{
    storage_.insert(storage_.end(), std::make_move_iterator(records.begin()),
                    std::make_move_iterator(records.end()));
}

std::optional<FileRecord> RecordQueue::popFirst()
{
    const std::ptrdiff_t storageSize = std::ssize(storage_);
    if (head_ >= storageSize) {
        return std::nullopt;
    }
    // The consumed slot is left moved-from: nothing reads it before prepend overwrites it or a
    // compaction drops it.
    FileRecord taken = std::move(storage_[static_cast<std::size_t>(head_)]);
    const std::ptrdiff_t oldHead = std::exchange(head_, head_ + 1);
    if (oldHead >= lastHeadBeforeCompaction && head_ >= storageSize / 2) {
        storage_.erase(storage_.begin(), storage_.begin() + head_);
        head_ = 0;
    }
    return taken;
}

void RecordQueue::prepend(FileRecord record)
{
    if (head_ > 0) {
        --head_;
        storage_[static_cast<std::size_t>(head_)] = std::move(record);
    } else {
        storage_.insert(storage_.begin(), std::move(record));
    }
}

} // namespace tollenvane
