#include "app/screens/history/HistoryRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace tollenvane {
namespace {

SessionSummary session(std::int64_t kept, std::int64_t trashed, std::int64_t moved,
                       std::int64_t deferred)
{
    SessionSummary summary;
    summary.kept = kept;
    summary.trashed = trashed;
    summary.moved = moved;
    summary.deferred = deferred;
    return summary;
}

TEST(HistoryRules, TheTotalsAddEverySessionAndSaturate)
{
    const HistoryTotals none = historyTotals({});
    EXPECT_EQ(none.sessions, 0);
    EXPECT_EQ(none.files, 0);

    const HistoryTotals two = historyTotals({session(1, 2, 3, 4), session(0, 1, 0, 0)});
    EXPECT_EQ(two.sessions, 2);
    EXPECT_EQ(two.files, 11);

    // An edited history file holds any number; the figures stop at the largest instead of
    // wrapping to a negative one.
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(sessionTotal(session(largest, 1, 0, 0)), largest);
    EXPECT_EQ(historyTotals({session(largest, 0, 0, 0), session(5, 0, 0, 0)}).files, largest);
}

TEST(HistoryRules, ARowCountsEachDecisionAndNamesOneFileInTheSingular)
{
    EXPECT_EQ(sessionCountsText(session(3, 2, 1, 0)),
              QStringLiteral("3 gardés · 2 à la Corbeille · 1 rangé · 0 plus tard"));
    EXPECT_EQ(sessionCountsText(session(1, 0, 2, 1)),
              QStringLiteral("1 gardé · 0 à la Corbeille · 2 rangés · 1 plus tard"));
    EXPECT_EQ(sessionFilesText(session(0, 1, 0, 0)), QStringLiteral("1 fichier"));
    EXPECT_EQ(sessionFilesText(session(0, 0, 0, 0)), QStringLiteral("0 fichiers"));
}

} // namespace
} // namespace tollenvane
