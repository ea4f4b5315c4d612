#pragma once

#include "core/base/Date.h"
#include "core/insights/FileInsights.h"
#include "core/insights/SessionSelection.h"
#include "core/records/FileIdentity.h"
#include "core/records/FileRecord.h"
#include "core/storage/StorageTree.h"

#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
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
    struct PathHash {
        using is_transparent = void;
        // Not noexcept, so that the containers store each hash instead of hashing every path
        // they step over.
        std::size_t operator()(std::string_view path) const
        {
            return std::hash<std::string_view>{}(path);
        }
        std::size_t operator()(const FileRecord& record) const { return (*this)(record.path()); }
    };
    struct PathEqual {
        using is_transparent = void;
        static std::string_view key(std::string_view path) { return path; }
        static std::string_view key(const FileRecord& record) { return record.path(); }
        template <class A, class B>
        bool operator()(const A& a, const B& b) const noexcept
        {
            return key(a) == key(b);
        }
    };
    // Keyed by the record's own path, so a path is stored once.
    using Index = std::unordered_set<FileRecord, PathHash, PathEqual>;

    void apply(const FileRecord& record, int direction);

    mutable std::mutex lock_;
    FileInsights value_;
    std::vector<std::string> roots_;
    Date now_;
    PresetMatchers presets_;
    StorageTree storage_;
    std::unordered_map<FileIdentity, std::int64_t> identities_;
    Index records_;
};

} // namespace tollenvane
