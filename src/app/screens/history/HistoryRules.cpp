#include "app/screens/history/HistoryRules.h"

#include "app/screens/summary/SummaryRules.h"
#include "core/localisation/Formatting.h"

#include <limits>

namespace tollenvane {
namespace {

std::int64_t saturatingAdd(std::int64_t left, std::int64_t right)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(left, right, &sum)) {
        return right > 0 ? std::numeric_limits<std::int64_t>::max()
                         : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

} // namespace

std::int64_t sessionTotal(const SessionSummary& summary)
{
    return saturatingAdd(saturatingAdd(summary.kept, summary.trashed),
                         saturatingAdd(summary.moved, summary.deferred));
}

HistoryTotals historyTotals(const std::vector<SessionSummary>& history)
{
    HistoryTotals totals{.sessions = static_cast<std::int64_t>(history.size()), .files = 0};
    for (const SessionSummary& summary : history) {
        totals.files = saturatingAdd(totals.files, sessionTotal(summary));
    }
    return totals;
}

QString sessionCountsText(const SessionSummary& summary)
{
    return sessionCountParts(summary).join(QStringLiteral(" \u00B7 "));
}

QString sessionFilesText(const SessionSummary& summary)
{
    return QString::fromStdString(localizedFileCount(sessionTotal(summary)));
}

} // namespace tollenvane
