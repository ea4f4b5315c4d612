#pragma once

#include "core/base/Date.h"
#include "core/base/Json.h"
#include "core/records/FileFilter.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane {

class FileRecord;

// A session's whole filter and the one rule that says whether a record belongs to the session.
struct SessionFilter {
    FileFilter type = FileFilter::all;
    std::int64_t minimumSize = 0;
    std::int64_t olderThanDays = 0; // 0: no age limit
    bool largestFirst = false;      // queue order only, not matching
    bool downloadsOnly = false;
    std::optional<std::uint64_t> volumeDevice;
    std::optional<std::string> folderPath; // taken as stored: no slash removed, no link resolved
    std::string search;
    bool includeReviewed = false; // review memory only, not matching

    // `now` is passed so that one pass judges every record against the same moment.
    bool matches(const FileRecord& record, Date now) const;

    Json toJson() const;
    // A negative minimum size or age sets no limit and reads as 0.
    static SessionFilter fromJson(const Json& json);

    bool operator==(const SessionFilter&) const = default;
};

} // namespace tollenvane
