#pragma once

#include "core/applications/BundleStanding.h"
#include "core/base/TextHash.h"
#include "core/records/FileRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tollenvane {

// The installed applications in the order they were listed, each path once, each with the
// standing judged beside its record. Appending costs what is appended, whatever the length of the
// list. `generation` changes with every change but an append, so that a screen that took the
// first n records knows whether they still are the first n and only the rest is new.
class ApplicationList {
public:
    const std::vector<FileRecord>& records() const { return records_; }
    // By position, as records().
    const std::vector<BundleStanding>& standings() const { return standings_; }
    std::uint64_t generation() const { return generation_; }
    bool contains(std::string_view path) const { return paths_.contains(path); }

    // Appends, in order, the records whose path is not listed yet, each with the standing at the
    // same position of `standings`; returns how many.
    std::size_t append(const std::vector<FileRecord>& records,
                       const std::vector<BundleStanding>& standings);
    void clear();
    // False when no record has this path.
    bool remove(std::string_view path);

private:
    std::vector<FileRecord> records_;
    std::vector<BundleStanding> standings_;
    std::unordered_set<std::string, TextHash, std::equal_to<>> paths_;
    std::uint64_t generation_ = 0;
};

} // namespace tollenvane
