#include "app/screens/sources/SourceRules.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(SourceRules, TheStatusChoosesTheLineTheCountAndTheControl)
{
    FileInsights insights;
    insights.sources["/home/alice/Pictures"] = {.count = 12, .bytes = 400};

    EXPECT_EQ(sourceRow(SourceStatus::at("/home/alice/Pictures"), insights),
              (SourceRow{"/home/alice/Pictures", 12, true}));
    // A folder not counted yet shows 0 files.
    EXPECT_EQ(sourceRow(SourceStatus::at("/home/alice/Music"), insights),
              (SourceRow{"/home/alice/Music", 0, true}));
    EXPECT_EQ(sourceRow(SourceStatus::failed("Accès refusé"), insights),
              (SourceRow{"Accès refusé", std::nullopt, false}));
    EXPECT_EQ(sourceRow(std::nullopt, insights),
              (SourceRow{"Accès à renouveler", std::nullopt, false}));
}

TEST(SourceRules, EachControlWaitsForItsOwnFlags)
{
    EXPECT_TRUE(canChangeSources(false, false));
    EXPECT_FALSE(canChangeSources(true, false));
    EXPECT_FALSE(canChangeSources(false, true));
    EXPECT_TRUE(canRescan(false, false, false));
    EXPECT_FALSE(canRescan(true, false, false));
    EXPECT_FALSE(canRescan(false, true, false));
    EXPECT_FALSE(canRescan(false, false, true));
    EXPECT_TRUE(canRenewSource(false));
    EXPECT_FALSE(canRenewSource(true));
}

} // namespace
} // namespace tollenvane
