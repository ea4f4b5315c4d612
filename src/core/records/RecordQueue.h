#pragma once

#include "core/records/FileRecord.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace tollenvane {

// The cards still to decide, the front one shown. Taking the front card only moves a read
// position; the consumed records are dropped now and then, when they are many and at least as
// many as the live ones, so that a long session does not shift its whole list at every card.
class RecordQueue {
public:
    RecordQueue() = default;
    explicit RecordQueue(std::vector<FileRecord> records);

    std::ptrdiff_t count() const;
    std::optional<FileRecord> first() const;
    // The records still to come, front first; valid until the queue next changes.
    std::span<const FileRecord> remaining() const;

    void append(std::vector<FileRecord> records);
    std::optional<FileRecord> popFirst();
    // Puts a record back at the front, in the slot the last pop freed when there is one.
    void prepend(FileRecord record);

    // The read position and the records held, consumed ones included.
    std::ptrdiff_t head() const { return head_; }
    std::ptrdiff_t storageCount() const { return std::ssize(storage_); }

private:
    std::vector<FileRecord> storage_;
    std::ptrdiff_t head_ = 0;
};

} // namespace tollenvane
