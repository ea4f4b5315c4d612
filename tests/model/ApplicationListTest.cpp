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

// Appends the records, each with a standing that names it.
std::size_t append(ApplicationList& list, const std::vector<FileRecord>& records)
{
    std::vector<BundleStanding> standings;
    for (const FileRecord& record : records) {
        standings.push_back({.resolved = "/resolved" + std::string(record.path())});
    }
    return list.append(records, standings);
}

// The standings' paths, which name the records they were appended with.
std::vector<std::string> standingsOf(const ApplicationList& list)
{
    std::vector<std::string> named;
    for (const BundleStanding& standing : list.standings()) {
        named.push_back(standing.resolved.substr(std::string_view("/resolved").size()));
    }
    return named;
}

TEST(ApplicationList, EachPathIsListedOnceAndOnlyAppendingKeepsTheGeneration)
{
    ApplicationList list;
    const std::uint64_t start = list.generation();
    EXPECT_EQ(append(list, {application("/opt/A.app"), application("/opt/B.app"),
                            application("/opt/A.app", 5)}),
              2U);
    // A path listed before is not listed again, the first record of it staying.
    EXPECT_EQ(append(list, {application("/opt/B.app", 7), application("/opt/C.app")}), 1U);
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
    EXPECT_EQ(append(list, {application("/opt/B.app")}), 1U);
    EXPECT_EQ(test::pathsOf(list.records()),
              (std::vector<std::string>{"/opt/A.app", "/opt/C.app", "/opt/B.app"}));
    // Each standing stays beside its record.
    EXPECT_EQ(standingsOf(list), test::pathsOf(list.records()));
    EXPECT_THROW(list.append({application("/opt/D.app")}, {}), std::invalid_argument);
    EXPECT_EQ(list.generation(), removed);

    list.clear();
    EXPECT_TRUE(list.records().empty());
    EXPECT_NE(list.generation(), removed);
    EXPECT_TRUE(list.standings().empty());
    EXPECT_EQ(append(list, {application("/opt/A.app")}), 1U);
}

} // namespace
} // namespace tollenvane
