#pragma once

#include "core/base/FileStatus.h"
#include "core/records/FileRecord.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

namespace tollenvane {

// What a scan makes of a regular file it found, on whichever thread read the file: its record,
// nothing (below the minimum size, or not a file the index keeps), or the problem to report
// under the file's name when the walk gets there.
struct PreparedRecord {
    std::optional<FileRecord> record;
    std::exception_ptr failure;

    static PreparedRecord make(const std::string& path, const FileStatus& status,
                               std::int64_t minimumSize);
};

} // namespace tollenvane
