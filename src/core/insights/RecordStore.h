#pragma once

#include "core/base/PositionIndex.h"
#include "core/records/FileIdentity.h"
#include "core/records/FileRecord.h"

#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace tollenvane {

// The records of the index, one per path, stored densely in fixed-size chunks (no allocation per
// record, no copy of the whole when it grows) and found by path or by file identity.
class RecordStore {
public:
    class Iterator;

    std::size_t size() const { return size_; }

    // The stored record and whether no other held record was the same file before it (the
    // first of its hard links); no record, and nothing stored, when a record with that path is
    // held already.
    struct Insertion {
        const FileRecord* record = nullptr;
        bool firstOfItsFile = false;
    };

    Insertion add(FileRecord record);
    // The same for each record in turn, faster: the batch is hashed first, and each record's
    // places in the indexes fetched while those before it are added.
    std::vector<Insertion> add(std::vector<FileRecord> records);
    const FileRecord* insert(FileRecord record) { return add(std::move(record)).record; }
    // Makes room for `count` records in all, so that adding up to them rebuilds no index.
    void reserve(std::size_t count);
    const FileRecord* find(std::string_view path) const;
    // Takes out the record held under the path.
    std::optional<FileRecord> take(std::string_view path);
    // How many held records are that file (hard links, or one file seen twice), counting no
    // further than `limit`.
    std::size_t holders(const FileIdentity& identity, std::size_t limit) const;

    Iterator begin() const;
    Iterator end() const;

private:
    static constexpr std::size_t chunkSize = 4096;
    using Position = PositionIndex::Position;

    struct Hashes {
        std::size_t path = 0;
        std::size_t identity = 0;
    };
    static Hashes hashesOf(const FileRecord& record);
    Insertion add(FileRecord record, Hashes hashes);
    std::optional<Position> positionOf(std::string_view path) const;
    const FileRecord& at(Position position) const;
    FileRecord& at(Position position);
    std::size_t pathHashAt(Position position) const;
    std::size_t identityHashAt(Position position) const;

    std::vector<std::vector<FileRecord>> chunks_; // each reserved to chunkSize, never reallocated
    std::size_t size_ = 0;
    PositionIndex byPath_;
    PositionIndex byIdentity_;
};

class RecordStore::Iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = FileRecord;
    using difference_type = std::ptrdiff_t;
    using pointer = const FileRecord*;
    using reference = const FileRecord&;

    Iterator() = default;
    Iterator(const RecordStore* store, std::size_t position)
        : store_(store)
        , position_(position)
    {}

    reference operator*() const { return store_->at(static_cast<Position>(position_)); }
    pointer operator->() const { return &**this; }
    Iterator& operator++()
    {
        ++position_;
        return *this;
    }
    Iterator operator++(int)
    {
        Iterator before = *this;
        ++position_;
        return before;
    }
    bool operator==(const Iterator& other) const { return position_ == other.position_; }

private:
    const RecordStore* store_ = nullptr;
    std::size_t position_ = 0;
};

} // namespace tollenvane
