#include "model/ApplicationList.h"

#include "support/RecordPaths.h"
#include "support/RecordSample.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

FileRecord application(const std::string& path, std::int64_t size = 1000)
{
    return test::RecordSample{.size = size, .path = path, .kind = "application"}.record();
}

TEST(ApplicationList, EachPathIsListedOnceAndOnlyAppendingKeepsTheGeneration)
{
    ApplicationList list;
    const std::uint64_t start = list.generation();
    EXPECT_EQ(list.append({application("/opt/A.app"), application("/opt/B.app"),
                           application("/opt/A.app", 5)}),
              2U);
    // A path listed before is not listed again, the first record of it staying.
    EXPECT_EQ(list.append({application("/opt/B.app", 7), application("/opt/C.app")}), 1U);
    EXPECT_EQ(test::pathsOf(list.records()),
              (std::vector<std::string>{"/opt/A.app", "/opt/B.app", "/opt/C.app"}));
    EXPECT_EQ(list.records().front().size(), 1000);
    EXPECT_EQ(list.generation(), start);

    EXPECT_FALSE(list.remove("/opt/D.app"));
    EXPECT_EQ(list.generation(), start);
    EXPECT_TRUE(list.remove("/opt/B.app"));
    EXPECT_NE(list.generation(), start);
    EXPECT_FALSE(list.contains("/opt/B.app"));
    // Removed, it may come back, at the end.
    const std::uint64_t removed = list.generation();
    EXPECT_EQ(list.append({application("/opt/B.app")}), 1U);
    EXPECT_EQ(test::pathsOf(list.records()),
              (std::vector<std::string>{"/opt/A.app", "/opt/C.app", "/opt/B.app"}));
    EXPECT_EQ(list.generation(), removed);

    list.clear();
    EXPECT_TRUE(list.records().empty());
    EXPECT_NE(list.generation(), removed);
    EXPECT_EQ(list.append({application("/opt/A.app")}), 1U);
}

} // namespace
} // namespace tollenvane
