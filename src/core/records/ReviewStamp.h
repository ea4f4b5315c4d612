#pragma once

#include "core/base/Date.h"
#include "core/base/Json.h"
#include "core/base/TextHash.h"
#include "core/records/Decision.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace tollenvane {

class FileRecord;

// A decision remembered for one file: the file's identity and version when it was decided, so
// that a changed or replaced file is proposed again.
struct ReviewStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::optional<std::string> volumeUUID = std::nullopt;
    std::int64_t size = 0;
    Date modified = distantPast;
    std::int64_t changeSeconds = 0;
    std::int64_t changeNanoseconds = 0;
    Decision decision = Decision::keep;
    std::string sessionID; // upper-case UUID

    // Throws std::invalid_argument when `sessionID` is not a UUID; either case is accepted.
    static ReviewStamp of(const FileRecord& file, Decision decision, std::string_view sessionID);

    // Same volume, inode, size, modification date and change time. Unlike
    // FileRecord::sameVersion, no bundle fingerprint is compared.
    bool matches(const FileRecord& file) const;
    // Whether the file stays out of the session `sessionID` (upper-case, as stamps hold it).
    bool skips(const FileRecord& file, const std::optional<std::string>& sessionID,
               bool includeReviewed) const;

    Json toJson() const;
    // Every key but "volumeUUID" is required; an unknown decision or a session identifier that
    // is not a UUID throws DecodeError.
    static ReviewStamp fromJson(const Json& json);

    bool operator==(const ReviewStamp&) const = default;
};

// The remembered decisions by file path.
using ReviewStamps = std::unordered_map<std::string, ReviewStamp, TextHash, std::equal_to<>>;

} // namespace tollenvane
