#include "core/records/SessionFilter.h"

#include "core/records/FileRecord.h"
#include "support/RecordSample.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

constexpr Date now = 800'000'000.0;

using test::RecordSample;

FileRecord record(const RecordSample& sample)
{
    return sample.record();
}

bool matches(const SessionFilter& filter, const RecordSample& sample)
{
    return filter.matches(record(sample), now);
}

TEST(FileFilter, AcceptsItsKindsAndScreenshotsUnderBothFilters)
{
    const FileRecord capture = record({.screenshot = true});
    const FileRecord other = record({.path = "/a/x.bin", .kind = "other"});
    EXPECT_TRUE(matches(FileFilter::screenshots, capture));
    EXPECT_TRUE(matches(FileFilter::images, capture));
    EXPECT_FALSE(matches(FileFilter::screenshots, record({})));
    for (const FileFilter filter : allFileFilters) {
        EXPECT_EQ(matches(filter, other), filter == FileFilter::all);
    }
    EXPECT_TRUE(matches(FileFilter::archives, record({.kind = "archive"})));
    EXPECT_TRUE(matches(FileFilter::applications, record({.kind = "application"})));
    EXPECT_FALSE(matches(FileFilter::documents, record({.kind = "pdf"})));
}

TEST(SessionFilter, TheDefaultMatchesEveryRecordAndEachLimitHoldsAtItsBoundary)
{
    SessionFilter filter;
    EXPECT_TRUE(matches(filter, {}));
    EXPECT_TRUE(matches(filter, {.size = 0, .modified = -1e12, .path = "/x", .kind = "other"}));

    filter.minimumSize = 1000;
    EXPECT_TRUE(matches(filter, {.size = 1000}));
    EXPECT_FALSE(matches(filter, {.size = 999}));

    filter = SessionFilter{};
    filter.olderThanDays = 30;
    EXPECT_FALSE(matches(filter, {.modified = now - 30 * 86'400.0}));
    EXPECT_TRUE(matches(filter, {.modified = now - 30 * 86'400.0 - 1}));
    EXPECT_FALSE(matches(filter, {.modified = now}));

    filter = SessionFilter{};
    filter.volumeDevice = 2049;
    EXPECT_TRUE(matches(filter, {}));
    EXPECT_FALSE(matches(filter, {.device = 2050}));
}

TEST(SessionFilter, DownloadsAndFolderArePathComponentsNotText)
{
    SessionFilter filter;
    filter.downloadsOnly = true;
    EXPECT_TRUE(matches(filter, {.path = "/media/a/Disk/Downloads/old/x.zip"}));
    EXPECT_TRUE(matches(filter, {.path = "/home/a/Downloads/x.zip"}));
    EXPECT_FALSE(matches(filter, {.path = "/home/a/downloads/x.zip"}));
    EXPECT_FALSE(matches(filter, {.path = "/home/a/Downloads2/x.zip"}));
    EXPECT_FALSE(matches(filter, {.path = "/home/a/MyDownloads/x.zip"}));

    filter = SessionFilter{};
    filter.folderPath = "/home/a/Pictures";
    EXPECT_TRUE(matches(filter, {.path = "/home/a/Pictures/x.png"}));
    EXPECT_TRUE(matches(filter, {.path = "/home/a/Pictures/2024/y.png"}));
    EXPECT_FALSE(matches(filter, {.path = "/home/a/Pictures2/x.png"}));
    EXPECT_FALSE(matches(filter, {.path = "/home/a/Pictures"}));
    filter.folderPath = "/home/a/Pictures/";
    EXPECT_FALSE(matches(filter, {.path = "/home/a/Pictures/x.png"}));
}

TEST(SessionFilter, SearchLooksAtTheNameThenTheFolderIgnoringCaseButNotAccents)
{
    SessionFilter filter;
    filter.search = "photos";
    EXPECT_TRUE(matches(filter, {.path = "/home/a/Photos/IMG_1.png"}));
    EXPECT_TRUE(matches(filter, {.path = "/home/a/x/PHOTOS.png"}));
    EXPECT_FALSE(matches(filter, {.path = "/home/a/Phötos/IMG_1.png"}));
    filter.search = "e\u0301te\u0301";
    EXPECT_TRUE(matches(filter, {.path = "/home/a/\u00c9T\u00c9 2024/x.png"}));
    filter.search = " ";
    EXPECT_FALSE(matches(filter, {.path = "/home/a/b/x.png"}));
    EXPECT_TRUE(matches(filter, {.path = "/home/a/b/my x.png"}));
    EXPECT_TRUE(matches(filter, {.path = "/home/a/My Files/x.png"}));
}

TEST(SessionFilter, JsonKeepsItsOrderLeavesOutAbsentFieldsAndRefusesUnknownTypes)
{
    SessionFilter filter;
    filter.type = FileFilter::videos;
    filter.minimumSize = 5'000'000;
    filter.search = "trip";
    const Json json = filter.toJson();
    EXPECT_EQ(json::dump(json),
              R"({"type":"videos","minimumSize":5000000,"olderThanDays":0,"largestFirst":false,)"
              R"("downloadsOnly":false,"search":"trip","includeReviewed":false})");
    EXPECT_EQ(SessionFilter::fromJson(json), filter);

    filter.volumeDevice = 18446744073709551615ULL;
    filter.folderPath = "/home/a/Movies";
    EXPECT_EQ(SessionFilter::fromJson(json::parse(json::dump(filter.toJson()))), filter);

    Json unknown = json;
    unknown["type"] = "music";
    EXPECT_THROW(SessionFilter::fromJson(unknown), DecodeError);
    Json missing = json;
    missing.erase("includeReviewed");
    EXPECT_THROW(SessionFilter::fromJson(missing), DecodeError);

    Json negative = json;
    negative["minimumSize"] = -1;
    negative["olderThanDays"] = -30;
    const SessionFilter noLimits = SessionFilter::fromJson(negative);
    EXPECT_EQ(noLimits.minimumSize, 0);
    EXPECT_EQ(noLimits.olderThanDays, 0);
}

} // namespace
} // namespace tollenvane
