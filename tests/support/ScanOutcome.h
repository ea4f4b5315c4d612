#pragma once

#include "core/scan/ScanCursor.h"
#include "core/scan/ScanOptions.h"

#include <algorithm>
#include <set>
#include <stop_token>
#include <string>
#include <vector>

namespace tollenvane::test {

// Everything a scan handed out, pulled until its stream ended.
struct ScanOutcome {
    std::vector<std::vector<FileRecord>> batches;
    std::vector<std::string> paths; // in the order handed out
    std::vector<ScanEvent::Issue> issues;
    long finishedCount = 0;
    bool endsWithFinished = false;

    std::set<std::string> pathSet() const { return {paths.begin(), paths.end()}; }
};

// Any cursor of scan events: the folder scan's, the application scan's.
template <class Cursor>
ScanOutcome drain(Cursor& cursor, const std::stop_token& stop = {})
{
    ScanOutcome outcome;
    while (auto event = cursor.next(stop)) {
        outcome.endsWithFinished = event->isFinished();
        if (event->isBatch()) {
            outcome.batches.push_back(event->records());
            for (const FileRecord& record : event->records()) {
                outcome.paths.emplace_back(record.path());
            }
        } else if (event->isIssue()) {
            outcome.issues.push_back(event->problem());
        } else {
            ++outcome.finishedCount;
        }
    }
    return outcome;
}

// Tests never wait between steps.
inline ScanOptions unpaused()
{
    ScanOptions options;
    options.pause = std::chrono::nanoseconds::zero();
    return options;
}

} // namespace tollenvane::test
