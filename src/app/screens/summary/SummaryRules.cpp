#include "app/screens/summary/SummaryRules.h"

namespace tollenvane {

std::array<SummaryCounter, 4> summaryCounters(const SessionSummary& summary)
{
    return {{
        {"checkmark", "Gardés", summary.kept},
        {"trash", "Corbeille", summary.trashed},
        {"folder", "Rangés", summary.moved},
        {"clock", "Plus tard", summary.deferred},
    }};
}

bool undoEnabled(std::int64_t undoCount, bool busy)
{
    return undoCount > 0 && !busy;
}

} // namespace tollenvane
