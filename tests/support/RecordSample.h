#pragma once

#include "core/base/Date.h"
#include "core/records/FileRecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane::test {

// The fields of a file record that tests vary, for records of files that need not exist.
struct RecordSample {
    std::uint64_t device = 2049;
    std::uint64_t inode = 12;
    std::optional<std::string> volumeUUID = std::nullopt;
    std::int64_t size = 1000;
    Date modified = 700'000'000.25;
    std::int64_t changeSeconds = 1'700'000'000;
    std::int64_t changeNanoseconds = 5;
    std::optional<std::string> packageFingerprint = std::nullopt;
    std::string path = "/home/a/Pictures/x.png";
    std::string kind = "image";
    bool screenshot = false;
    std::int64_t allocatedSize = 4096;
    std::uint64_t linkCount = 1;
    bool available = true;

    // Built through the JSON form, the only other way a record comes to exist.
    FileRecord record() const;
};

} // namespace tollenvane::test
