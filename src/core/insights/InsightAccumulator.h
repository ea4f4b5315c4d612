#pragma once

#include "core/base/Date.h"
#include "core/insights/FileInsights.h"
#include "core/insights/RecordStore.h"
#include "core/insights/SessionSelection.h"
#include "core/records/FileRecord.h"
#include "core/storage/StorageFeed.h"

#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// The in-memory index of one scan and every figure counted from it. Operations run one at a
// time from any thread; callers get copies, never the index itself.
class InsightAccumulator {
public:
    // `now` is the moment of every age test for the accumulator's whole life.
    InsightAccumulator(const std::vector<std::string>& roots, Date now);

    InsightAccumulator(const InsightAccumulator&) = delete;
    InsightAccumulator& operator=(const InsightAccumulator&) = delete;

    // Records whose path is already held are ignored, whatever they say.
    FileInsights append(std::vector<FileRecord> records);
    // Takes out the record held under the argument's path, if any.
    FileInsights remove(const FileRecord& record);

    std::vector<StorageNode> children(std::optional<std::string_view> folder) const;
    std::vector<FileRecord> snapshot() const;
    std::optional<FileRecord> record(std::string_view path) const;

    // Over the held records, judged against the current date. Throw Cancelled when stopped.
    FileTally estimate(const SessionFilter& filter, const ReviewStamps& reviewed,
                       std::stop_token stop = {}) const;
    std::vector<FileRecord> selection(const SessionFilter& filter, const ReviewStamps& reviewed,
                                      std::optional<std::string> sessionID,
                                      const PathSet* allowedPaths, std::stop_token stop = {}) const;

private:
    // `onlyOneOfItsFile`: no other held record is the same file (a hard link, say), so its
    // allocated size counts.
    void apply(const FileRecord& record, int direction, bool onlyOneOfItsFile);

    mutable std::mutex lock_;
    FileInsights value_;
    std::vector<std::string> roots_;
    PresetMatchers presets_;
    RecordStore records_;
    // After the records it points into, so that it stops first. Reading it waits for it, which
    // changes nothing a caller sees.
    mutable StorageFeed storage_;
};

} // namespace tollenvane
