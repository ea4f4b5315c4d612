#include "core/insights/InsightAccumulator.h"

#include "core/base/Path.h"

#include <algorithm>
#include <thread>

namespace tollenvane {

namespace {

std::vector<std::string> distinctStandardised(const std::vector<std::string>& roots)
{
    std::vector<std::string> result;
    for (const std::string& root : roots) {
        std::string path = path::standardised(root);
        if (std::find(result.begin(), result.end(), path) == result.end()) {
            result.push_back(std::move(path));
        }
    }
    return result;
}

} // namespace

InsightAccumulator::InsightAccumulator(const std::vector<std::string>& roots, Date now)
    : roots_(distinctStandardised(roots))
    , presets_(now)
    , storage_(StorageTree(roots))
{}

void InsightAccumulator::apply(const FileRecord& record, int direction, bool onlyOneOfItsFile)
{
    if (onlyOneOfItsFile) {
        value_.allocatedBytes += direction * record.allocatedSize();
    }
    value_.apply(record, roots_, presets_, direction);
}

FileInsights InsightAccumulator::append(std::vector<FileRecord> records)
{
    const std::lock_guard guard(lock_);
    std::vector<const FileRecord*> added;
    added.reserve(records.size());
    for (const RecordStore::Insertion& insertion : records_.add(std::move(records))) {
        if (insertion.record != nullptr) {
            apply(*insertion.record, +1, insertion.firstOfItsFile);
            added.push_back(insertion.record);
        }
    }
    // Adding never moves a held record, and one is taken out only once the tree has settled.
    storage_.add(std::move(added));
    return value_;
}

FileInsights InsightAccumulator::remove(const FileRecord& record)
{
    const std::lock_guard guard(lock_);
    if (const FileRecord* held = records_.find(record.path())) {
        const bool last = records_.holders(held->identity(), 2) == 1;
        apply(*held, -1, last);
        storage_.settled().apply(*held, -1);
        records_.take(record.path());
    }
    return value_;
}

std::vector<StorageNode> InsightAccumulator::children(std::optional<std::string_view> folder) const
{
    const std::lock_guard guard(lock_);
    return storage_.settled().nodes(folder);
}

std::vector<FileRecord> InsightAccumulator::snapshot() const
{
    const std::lock_guard guard(lock_);
    return {records_.begin(), records_.end()};
}

std::optional<FileRecord> InsightAccumulator::record(std::string_view path) const
{
    const std::lock_guard guard(lock_);
    const FileRecord* held = records_.find(path);
    return held == nullptr ? std::nullopt : std::optional<FileRecord>(*held);
}

FileTally InsightAccumulator::estimate(const SessionFilter& filter, const ReviewStamps& reviewed,
                                       std::stop_token stop) const
{
    const std::lock_guard guard(lock_);
    const SessionSelection::Scope scope{.now = currentDate(), .reviewed = reviewed};
    const SessionSelection::Split split{.threads =
                                            std::max(1u, std::thread::hardware_concurrency())};
    return SessionSelection::estimate(records_, filter, scope, stop, split);
}

std::vector<FileRecord> InsightAccumulator::selection(const SessionFilter& filter,
                                                      const ReviewStamps& reviewed,
                                                      std::optional<std::string> sessionID,
                                                      const PathSet* allowedPaths,
                                                      std::stop_token stop) const
{
    const std::lock_guard guard(lock_);
    const SessionSelection::Scope scope{.now = currentDate(),
                                        .reviewed = reviewed,
                                        .sessionID = std::move(sessionID),
                                        .allowedPaths = allowedPaths};
    return SessionSelection::resolve(records_, filter, scope, stop);
}

} // namespace tollenvane
