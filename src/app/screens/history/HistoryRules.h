#pragma once

#include "core/records/SessionSummary.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace tollenvane {

// The figures above the sessions: how many there are and how many files they decided.
struct HistoryTotals {
    std::int64_t sessions = 0;
    std::int64_t files = 0;
};

// Counts saturate rather than overflow: the history comes from a file the user can edit.
HistoryTotals historyTotals(const std::vector<SessionSummary>& history);
// The decisions of one session, every kind together.
std::int64_t sessionTotal(const SessionSummary& summary);

// The line under a session's date: each kind of decision with its count.
QString sessionCountsText(const SessionSummary& summary);
// The session's file count, in the language's singular or plural.
QString sessionFilesText(const SessionSummary& summary);

} // namespace tollenvane
