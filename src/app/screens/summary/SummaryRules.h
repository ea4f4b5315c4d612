#pragma once

#include "core/records/SessionSummary.h"

#include <array>
#include <cstdint>

namespace tollenvane {

// One counter of the session's decisions.
struct SummaryCounter {
    const char* symbol;
    const char* labelKey;
    std::int64_t value;
};

// Kept, trashed, moved and deferred, in that order.
std::array<SummaryCounter, 4> summaryCounters(const SessionSummary& summary);

// The last decision can be taken back: one is left to undo and none is being carried out.
bool undoEnabled(std::int64_t undoCount, bool busy);

} // namespace tollenvane
