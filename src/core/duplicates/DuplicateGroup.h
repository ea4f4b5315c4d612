#pragma once

#include "core/records/FileRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tollenvane {

// One set of files with identical content.
struct DuplicateGroup {
    // SHA-256 of every member's content, 64 lower-case hexadecimal digits.
    std::string digest;
    // At least two members, by path ascending.
    std::vector<FileRecord> files;

    const std::string& id() const { return digest; }

    // What keeping one copy and removing the others would free.
    std::int64_t reclaimable() const
    {
        if (files.empty()) {
            return 0;
        }
        return static_cast<std::int64_t>(files.size() - 1) * files.front().size();
    }

    bool operator==(const DuplicateGroup&) const = default;
};

} // namespace tollenvane
