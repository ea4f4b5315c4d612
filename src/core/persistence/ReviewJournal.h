#pragma once

#include "core/base/Json.h"
#include "core/records/ReviewStamp.h"

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace tollenvane {

// The remembered decisions: an append-only file of JSON lines, one per decision or undo, read
// whole at start-up. Operations run one at a time, so appended lines never interleave.
class ReviewJournal {
public:
    // One line: a decision for `path`, or without a stamp the withdrawal of its decision.
    struct Entry {
        std::string path;
        std::optional<ReviewStamp> stamp;

        Json toJson() const;
        // "path" is required, "stamp" optional; throws DecodeError.
        static Entry fromJson(const Json& json);

        bool operator==(const Entry&) const = default;
    };

    explicit ReviewJournal(std::string path);
    ReviewJournal(const ReviewJournal&) = delete;
    ReviewJournal& operator=(const ReviewJournal&) = delete;

    // The journal kept beside a state file: state.json gives state.reviews.jsonl.
    static std::string pathBeside(std::string_view stateFilePath);

    const std::string& path() const { return path_; }

    // The last stamp of every path. A missing file is empty. One line that cannot be decoded
    // throws DecodeError naming its line number, and nothing is returned; only a last line
    // without its line feed (an append cut short by a crash, torn or left as NUL bytes) is
    // dropped instead, and the lines before it stand. PlatformError when the file cannot be
    // read, is a symbolic link or is not a regular file. The file is never changed.
    ReviewStamps load() const;

    // Appends one line, creating the folder and, owner-only, the file when missing. A torn last
    // line that load() drops is cut off first. A failed append leaves the file as it was, less
    // that torn line, and throws PlatformError. Text that is not UTF-8 throws
    // FileError::unsupported and a line that would not read back DecodeError, both before
    // anything is written.
    void record(const std::string& filePath, const std::optional<ReviewStamp>& stamp);

    // Replaces the journal with an empty owner-only file; the folder must exist.
    void reset();

private:
    std::string path_;
    mutable std::mutex mutex_;
};

} // namespace tollenvane
