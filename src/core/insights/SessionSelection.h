#pragma once

#include "core/base/Cancellation.h"
#include "core/base/Date.h"
#include "core/base/TextHash.h"
#include "core/insights/FileTally.h"
#include "core/insights/RecordStore.h"
#include "core/records/FileRecord.h"
#include "core/records/FilterMatcher.h"
#include "core/records/ReviewStamp.h"
#include "core/records/SessionFilter.h"

#include <cstddef>
#include <iterator>
#include <optional>
#include <stop_token>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tollenvane {

using PathSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

// Which indexed files a session shows, and in which order. Both operations walk the records once
// and throw Cancelled, with no result, when asked to stop.
namespace SessionSelection {

// What, besides the filter, decides whether a record is selected.
struct Scope {
    Date now = 0;
    const ReviewStamps& reviewed;
    std::optional<std::string> sessionID = std::nullopt; // upper-case, as stamps hold it
    const PathSet* allowedPaths = nullptr;               // none: every path may be selected
};

// The per-record rule, prepared once for a whole pass. One per thread: it remembers the last
// folder it searched.
class Selector {
public:
    // The filter and the scope must outlive the selector.
    Selector(const SessionFilter& filter, const Scope& scope);

    bool selects(const FileRecord& record);

private:
    const SessionFilter& filter_;
    const Scope& scope_;
    FilterMatcher matcher_;
    FilterMatcher::FolderMemo memo_;
};

// Calls `visit` with every record the selector selects. The stop is looked at before every
// 256th record, counting from the first, and once after the last.
template <class Records, class Visit>
void forEachSelected(const Records& records, Selector&& selector, const std::stop_token& stop,
                     Visit&& visit)
{
    std::size_t position = 0;
    for (auto record = std::begin(records); record != std::end(records); ++record, ++position) {
        if (position % 256 == 0) {
            throwIfCancelled(stop);
        }
        if (selector.selects(*record)) {
            visit(*record);
        }
    }
    throwIfCancelled(stop);
}

// Largest first or oldest first, then by path in byte order.
void sortQueue(std::vector<FileRecord>& queue, bool largestFirst);

// The number and logical size of the selected records. `Records` is any range of FileRecord.
template <class Records>
FileTally estimate(const Records& records, const SessionFilter& filter, const Scope& scope,
                   const std::stop_token& stop = {})
{
    FileTally tally;
    forEachSelected(records, Selector(filter, scope), stop,
                    [&tally](const FileRecord& record) { tally.apply(1, record.size()); });
    return tally;
}

// How a large store's estimate is split: into at most `threads` contiguous slices of at least
// `minimumSlice` records, one thread each.
struct Split {
    std::size_t threads = 1;
    std::size_t minimumSlice = std::size_t{1} << 15;
};

// The estimate of a store, made on several threads when it is large. The tally is the one a
// single pass makes; each slice looks at the stop as a single pass does.
FileTally estimate(const RecordStore& records, const SessionFilter& filter, const Scope& scope,
                   const std::stop_token& stop, Split split);

// The selected records in queue order.
template <class Records>
std::vector<FileRecord> resolve(const Records& records, const SessionFilter& filter,
                                const Scope& scope, const std::stop_token& stop = {})
{
    std::vector<FileRecord> queue;
    forEachSelected(records, Selector(filter, scope), stop,
                    [&queue](const FileRecord& record) { queue.push_back(record); });
    sortQueue(queue, filter.largestFirst);
    throwIfCancelled(stop);
    return queue;
}

} // namespace SessionSelection
} // namespace tollenvane
