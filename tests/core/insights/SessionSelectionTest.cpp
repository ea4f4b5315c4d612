#include "core/insights/SessionSelection.h"

#include "support/RecordSample.h"

#include <gtest/gtest.h>

#include <ranges>

namespace tollenvane {
namespace {

using test::RecordSample;

constexpr Date now = 800'000'000.0;
const std::string sessionA = "6F9619FF-8B86-D011-B42D-00C04FC964FF";
const std::string sessionB = "0E984725-C51C-4BF4-9960-E1C80E27ABA0";

std::vector<std::string> paths(const std::vector<FileRecord>& records)
{
    std::vector<std::string> result;
    for (const FileRecord& record : records) {
        result.emplace_back(record.path());
    }
    return result;
}

bool selected(const FileRecord& record, const ReviewStamps& reviewed,
              std::optional<std::string> session, bool includeReviewed = false)
{
    SessionFilter filter;
    filter.includeReviewed = includeReviewed;
    const SessionSelection::Scope scope{
        .now = now, .reviewed = reviewed, .sessionID = std::move(session)};
    return SessionSelection::estimate(std::vector{record}, filter, scope).count == 1;
}

TEST(SessionSelection, ReviewStampsKeepDecidedFilesOutUntilTheyChange)
{
    const RecordSample sample{.volumeUUID = "uuid-1"};
    const FileRecord file = sample.record();
    const auto stamped = [&](Decision decision, const std::string& session) {
        return ReviewStamps{{std::string(file.path()), ReviewStamp::of(file, decision, session)}};
    };

    const ReviewStamps kept = stamped(Decision::keep, sessionA);
    EXPECT_FALSE(selected(file, kept, std::nullopt));
    EXPECT_FALSE(selected(file, kept, sessionB));
    EXPECT_TRUE(selected(file, kept, sessionB, true));
    EXPECT_TRUE(selected(file, kept, std::nullopt, true));
    EXPECT_FALSE(selected(file, kept, sessionA, true));

    const ReviewStamps later = stamped(Decision::later, sessionA);
    EXPECT_TRUE(selected(file, later, std::nullopt));
    EXPECT_TRUE(selected(file, later, sessionB));
    EXPECT_FALSE(selected(file, later, sessionA));

    // Any change of version brings a kept file back.
    std::vector<RecordSample> changed(5, sample);
    changed[0].size += 1;
    changed[1].inode += 1;
    changed[2].modified += 0.5;
    changed[3].changeSeconds += 1;
    changed[4].changeNanoseconds += 1;
    for (const RecordSample& version : changed) {
        EXPECT_TRUE(selected(version.record(), kept, sessionA));
    }
    // Another volume UUID is another file; without a UUID on one side the devices decide.
    RecordSample moved = sample;
    moved.volumeUUID = "uuid-2";
    EXPECT_TRUE(selected(moved.record(), kept, std::nullopt));
    RecordSample noUuid = sample;
    noUuid.volumeUUID = std::nullopt;
    EXPECT_FALSE(selected(noUuid.record(), kept, std::nullopt));
    noUuid.device += 1;
    EXPECT_TRUE(selected(noUuid.record(), kept, std::nullopt));
}

TEST(SessionSelection, QueueOrderBreaksTiesByPath)
{
    const std::vector<FileRecord> records{
        RecordSample{.inode = 1, .size = 10, .modified = 300, .path = "/r/b"}.record(),
        RecordSample{.inode = 2, .size = 20, .modified = 100, .path = "/r/\xc3\xa9"}.record(),
        RecordSample{.inode = 3, .size = 10, .modified = 100, .path = "/r/a"}.record(),
        RecordSample{.inode = 4, .size = 20, .modified = 200, .path = "/r/Z"}.record(),
    };
    const ReviewStamps none;
    SessionFilter filter;
    filter.largestFirst = true;
    const SessionSelection::Scope scope{.now = now, .reviewed = none};
    EXPECT_EQ(paths(SessionSelection::resolve(records, filter, scope)),
              (std::vector<std::string>{"/r/Z", "/r/\xc3\xa9", "/r/a", "/r/b"}));

    filter.largestFirst = false;
    EXPECT_EQ(paths(SessionSelection::resolve(records, filter, scope)),
              (std::vector<std::string>{"/r/a", "/r/\xc3\xa9", "/r/Z", "/r/b"}));

    // The given order plays no part.
    std::vector<FileRecord> reversed(records.rbegin(), records.rend());
    EXPECT_EQ(SessionSelection::resolve(reversed, filter, scope),
              SessionSelection::resolve(records, filter, scope));
}

TEST(SessionSelection, AllowedPathsRestrictAndCancellationGivesNoResult)
{
    std::vector<FileRecord> records;
    for (int i = 0; i < 1000; ++i) {
        records.push_back(
            RecordSample{.inode = static_cast<std::uint64_t>(i), .path = "/r/f" + std::to_string(i)}
                .record());
    }
    const ReviewStamps none;
    const SessionFilter all;
    const PathSet empty;
    const PathSet two{"/r/f3", "/r/f999", "/elsewhere"};
    SessionSelection::Scope scope{.now = now, .reviewed = none, .allowedPaths = &empty};
    EXPECT_EQ(SessionSelection::estimate(records, all, scope), FileTally{});
    scope.allowedPaths = &two;
    EXPECT_EQ(SessionSelection::estimate(records, all, scope), (FileTally{2, 2000}));
    EXPECT_EQ(paths(SessionSelection::resolve(records, all, scope)),
              (std::vector<std::string>{"/r/f3", "/r/f999"}));

    scope.allowedPaths = nullptr;
    EXPECT_EQ(SessionSelection::estimate(std::vector<FileRecord>{}, all, scope), FileTally{});
    EXPECT_TRUE(SessionSelection::resolve(std::vector<FileRecord>{}, all, scope).empty());

    std::stop_source stop;
    stop.request_stop();
    // A range that counts how far the walk got before it was stopped.
    std::size_t visited = 0;
    const auto counting =
        records | std::views::transform([&visited](const FileRecord& record) -> const FileRecord& {
            ++visited;
            return record;
        });
    EXPECT_THROW(SessionSelection::estimate(counting, all, scope, stop.get_token()), Cancelled);
    EXPECT_THROW(SessionSelection::resolve(counting, all, scope, stop.get_token()), Cancelled);
    EXPECT_EQ(visited, 0u);
}

TEST(SessionSelection, ASearchMatchesTheNameOrTheFolderWithoutCaseOrComposition)
{
    const std::vector<FileRecord> records{
        RecordSample{.inode = 1, .path = "/r/Vacances/x.png"}.record(),
        RecordSample{.inode = 2, .path = "/r/e\xcc\x81t\xc3\xa9/y.png"}.record(), // été, mixed
        RecordSample{.inode = 3, .path = "/r/other/z.png"}.record(),
    };
    const ReviewStamps none;
    const SessionSelection::Scope scope{.now = now, .reviewed = none};
    SessionFilter filter;
    filter.search = "VACANCES";
    EXPECT_EQ(SessionSelection::estimate(records, filter, scope).count, 1);
    filter.search = "\xc3\x89T\xc3\x89"; // ÉTÉ
    EXPECT_EQ(paths(SessionSelection::resolve(records, filter, scope)),
              (std::vector<std::string>{"/r/e\xcc\x81t\xc3\xa9/y.png"}));
    filter.search = "Z.PNG";
    EXPECT_EQ(SessionSelection::estimate(records, filter, scope).count, 1);
}

// Slices of sixteen records on up to eight threads give the single pass's tally for every kind
// of filter, searches whose folder result is reused included, and still give up when stopped.
TEST(SessionSelection, AnEstimateSplitAcrossThreadsIsTheSinglePassOne)
{
    RecordStore store;
    const std::vector<std::string> folders{"/r/Vacances", "/r/e\xcc\x81t\xc3\xa9", "/r/work",
                                           "/r/work/vacances 2"};
    for (int i = 0; i < 1000; ++i) {
        const std::string name = (i % 7 == 0 ? "Vacances " : "f") + std::to_string(i) + ".png";
        store.insert(
            RecordSample{.inode = static_cast<std::uint64_t>(i),
                         .size = 1000 + i,
                         .path = folders[static_cast<std::size_t>(i / 37) % 4] + "/" + name}
                .record());
    }
    const ReviewStamps none;
    const SessionSelection::Scope scope{.now = now, .reviewed = none};
    std::vector<SessionFilter> filters(5);
    filters[1].search = "VACANCES";
    filters[2].search = "\xc3\x89T\xc3\x89"; // ÉTÉ
    filters[3].search = "1.PNG";
    filters[4].minimumSize = 1500;
    for (const SessionFilter& filter : filters) {
        const FileTally single = SessionSelection::estimate(store, filter, scope);
        EXPECT_GT(single.count, 0);
        for (const std::size_t threads : {1u, 3u, 8u}) {
            EXPECT_EQ(SessionSelection::estimate(store, filter, scope, {}, {threads, 16}), single);
        }
    }

    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(SessionSelection::estimate(store, filters[1], scope, stop.get_token(), {8, 16}),
                 Cancelled);
}

} // namespace
} // namespace tollenvane
