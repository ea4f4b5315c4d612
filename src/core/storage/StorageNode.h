#pragma once

#include <cstdint>
#include <string>

namespace tollenvane {

// A folder or file of the storage explorer with the totals of the indexed files at or below it.
struct StorageNode {
    std::string id; // the full path
    std::string name;
    bool directory = false;
    std::int64_t bytes = 0;
    std::int64_t count = 0;

    // A file URL, marked as a folder for a directory.
    std::string url() const;

    bool operator==(const StorageNode&) const = default;
};

} // namespace tollenvane
