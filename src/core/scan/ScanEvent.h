#pragma once

#include "core/records/FileRecord.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tollenvane {

// One element of a scan's stream: records found since the previous batch, one problem text, or
// the end of the walk.
class ScanEvent {
public:
    enum class Kind { batch, issue, finished };

    // A problem ready to show. `weight` is the number of problems it stands for: 1 for an
    // ordinary text, the number of dropped problems for the closing one, so that a consumer
    // that sums the weights counts every problem.
    struct Issue {
        std::string text;
        std::int64_t weight = 1;

        bool operator==(const Issue&) const = default;
    };

    // Never empty, in the order the walk met the files.
    static ScanEvent batch(std::vector<FileRecord> records)
    {
        return ScanEvent(std::move(records));
    }
    static ScanEvent issue(std::string text, std::int64_t weight = 1)
    {
        return ScanEvent(Issue{std::move(text), weight});
    }
    // The last element before the stream ends.
    static ScanEvent finished() { return ScanEvent(Finished{}); }

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isBatch() const { return kind() == Kind::batch; }
    bool isIssue() const { return kind() == Kind::issue; }
    bool isFinished() const { return kind() == Kind::finished; }

    // Each accessor throws std::bad_variant_access when the event is of another kind.
    const std::vector<FileRecord>& records() const& { return std::get<Records>(value_); }
    // A spent event gives its records up instead of copying them.
    std::vector<FileRecord> records() && { return std::get<Records>(std::move(value_)); }
    const Issue& problem() const { return std::get<Issue>(value_); }

    bool operator==(const ScanEvent&) const = default;

private:
    using Records = std::vector<FileRecord>;
    struct Finished {
        bool operator==(const Finished&) const = default;
    };

    template <class Value>
    explicit ScanEvent(Value value)
        : value_(std::move(value))
    {}

    // The alternatives follow Kind.
    std::variant<Records, Issue, Finished> value_;
};

} // namespace tollenvane
