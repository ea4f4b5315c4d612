#include "core/insights/SessionSelection.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace tollenvane::SessionSelection {

Selector::Selector(const SessionFilter& filter, const Scope& scope)
    : filter_(filter)
    , scope_(scope)
    , matcher_(filter, scope.now)
{}

bool Selector::selects(const FileRecord& record)
{
    if (scope_.allowedPaths != nullptr && !scope_.allowedPaths->contains(record.path())) {
        return false;
    }
    if (!matcher_.matches(record, memo_)) {
        return false;
    }
    if (scope_.reviewed.empty()) {
        return true;
    }
    const auto stamp = scope_.reviewed.find(record.path());
    return stamp == scope_.reviewed.end() ||
           !stamp->second.skips(record, scope_.sessionID, filter_.includeReviewed);
}

namespace {

// A contiguous run of a store's records.
struct Slice {
    RecordStore::Iterator first;
    RecordStore::Iterator last;

    RecordStore::Iterator begin() const { return first; }
    RecordStore::Iterator end() const { return last; }
};

} // namespace

FileTally estimate(const RecordStore& records, const SessionFilter& filter, const Scope& scope,
                   const std::stop_token& stop, Split split)
{
    const std::size_t slices = std::clamp<std::size_t>(
        records.size() / std::max<std::size_t>(split.minimumSlice, 1), 1, split.threads);
    if (slices <= 1) {
        return estimate(records, filter, scope, stop);
    }
    std::vector<FileTally> tallies(slices);
    std::vector<std::exception_ptr> failures(slices);
    const auto run = [&](std::size_t slice) {
        const Slice range{{&records, records.size() * slice / slices},
                          {&records, records.size() * (slice + 1) / slices}};
        try {
            tallies[slice] = estimate(range, filter, scope, stop);
        } catch (...) {
            failures[slice] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> workers;
        workers.reserve(slices - 1);
        for (std::size_t slice = 1; slice < slices; ++slice) {
            workers.emplace_back(run, slice);
        }
        run(0);
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    FileTally total;
    for (const FileTally& tally : tallies) {
        total.count += tally.count;
        total.bytes += tally.bytes;
    }
    return total;
}

void sortQueue(std::vector<FileRecord>& queue, bool largestFirst)
{
    // std::string compares as unsigned bytes, which for UTF-8 is code-point order.
    const auto byPath = [](const FileRecord& a, const FileRecord& b) {
        return a.path() < b.path();
    };
    if (largestFirst) {
        std::stable_sort(queue.begin(), queue.end(), [&](const FileRecord& a, const FileRecord& b) {
            return a.size() != b.size() ? a.size() > b.size() : byPath(a, b);
        });
    } else {
        std::stable_sort(queue.begin(), queue.end(), [&](const FileRecord& a, const FileRecord& b) {
            return a.modified() != b.modified() ? a.modified() < b.modified() : byPath(a, b);
        });
    }
}

} // namespace tollenvane::SessionSelection
