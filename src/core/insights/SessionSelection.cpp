#include "core/insights/SessionSelection.h"

#include <algorithm>

namespace tollenvane::SessionSelection {

Selector::Selector(const SessionFilter& filter, const Scope& scope)
    : filter_(filter)
    , scope_(scope)
    , matcher_(filter, scope.now)
{}

bool Selector::selects(const FileRecord& record) const
{
    if (scope_.allowedPaths != nullptr && !scope_.allowedPaths->contains(record.path())) {
        return false;
    }
    if (!matcher_.matches(record)) {
        return false;
    }
    const auto stamp = scope_.reviewed.find(record.path());
    return stamp == scope_.reviewed.end() ||
           !stamp->second.skips(record, scope_.sessionID, filter_.includeReviewed);
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
