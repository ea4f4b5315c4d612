#include "app/deck/MoveSheetRules.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

FolderGrant grant(const std::string& id, bool favorite = false)
{
    // The last known path must never stand in for a resolution.
    return {id, "name " + id, "token", favorite, "/stale/" + id};
}

const std::vector<FolderGrant> grants{grant("A"), grant("B", true), grant("C")};
const GrantStatuses statuses{{"A", SourceStatus::at("/home/a")},
                             {"B", SourceStatus::failed("gone")}};

TEST(MoveSheetRules, RowsKeepStoredOrderAndOnlyResolvedLocations)
{
    EXPECT_EQ(destinationRows(grants, statuses),
              (std::vector<DestinationRow>{{"A", "name A", false, "/home/a"},
                                           {"B", "name B", true, std::nullopt},
                                           {"C", "name C", false, std::nullopt}}));
    // Before any resolution every destination must be renewed.
    for (const DestinationRow& row : destinationRows(grants, {})) {
        EXPECT_FALSE(row.location) << row.id;
    }
    EXPECT_EQ(parentChoices(grants, statuses), (std::vector<ParentChoice>{{"A", "name A"}}));
    EXPECT_TRUE(parentChoices(grants, {}).empty());
}

TEST(MoveSheetRules, AParentThatLeavesTheChoicesIsForgotten)
{
    const std::vector<ParentChoice> choices{{"A", "name A"}};
    EXPECT_EQ(keptParent(std::string("A"), choices), "A");
    EXPECT_EQ(keptParent(std::string("B"), choices), std::nullopt);
    EXPECT_EQ(keptParent(std::string("A"), {}), std::nullopt);
    EXPECT_EQ(keptParent(std::nullopt, choices), std::nullopt);
}

TEST(MoveSheetRules, CreatingNeedsANameLeftAfterTrimmingAParentAndQuiet)
{
    const std::optional<std::string> parent = "A";
    EXPECT_TRUE(canCreate("Photos", parent, false, false));
    EXPECT_TRUE(canCreate("\tPhotos", parent, false, false));
    for (const std::string blank : {"", "   ", "\t", "\n", " \t\r\n "}) {
        EXPECT_FALSE(canCreate(blank, parent, false, false)) << blank;
    }
    EXPECT_FALSE(canCreate("Photos", std::nullopt, false, false));
    EXPECT_FALSE(canCreate("Photos", parent, true, false));
    EXPECT_FALSE(canCreate("Photos", parent, false, true));
}

} // namespace
} // namespace tollenvane
