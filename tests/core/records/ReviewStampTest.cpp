#include "core/records/ReviewStamp.h"

#include "core/records/FileRecord.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace tollenvane {
namespace {

constexpr std::string_view sessionS = "0A1C2A1B-1111-4222-8333-444455556666";
constexpr std::string_view sessionT = "9A8B7C6D-AAAA-4BBB-8CCC-DDDDEEEEFFFF";

using test::RecordSample;

FileRecord record(const RecordSample& sample)
{
    return sample.record();
}

ReviewStamp stamp(const RecordSample& sample, Decision decision = Decision::keep,
                  std::string_view session = sessionS)
{
    return ReviewStamp::of(record(sample), decision, session);
}

TEST(ReviewStamp, CopiesTheRecordAndTheSessionInUpperCase)
{
    const ReviewStamp made = ReviewStamp::of(record({.volumeUUID = "VOL-1"}), Decision::move,
                                             "0a1c2a1b-1111-4222-8333-444455556666");
    EXPECT_EQ(made, (ReviewStamp{2049, 12, "VOL-1", 1000, 700'000'000.25, 1'700'000'000, 5,
                                 Decision::move, std::string(sessionS)}));
    EXPECT_THROW(ReviewStamp::of(record({}), Decision::keep, "not-a-uuid"), std::invalid_argument);
}

TEST(ReviewStamp, MatchesTheSameVersionByVolumeInodeSizeAndTimes)
{
    const ReviewStamp plain = stamp({});
    EXPECT_TRUE(plain.matches(record({})));
    // A bundle fingerprint plays no part, unlike in FileRecord::sameVersion.
    EXPECT_TRUE(plain.matches(record({.packageFingerprint = std::string(64, 'a')})));

    // The volume gained a UUID since the stamp was written: the device still decides.
    EXPECT_TRUE(plain.matches(record({.volumeUUID = "VOL-1"})));
    EXPECT_FALSE(plain.matches(record({.device = 2050, .volumeUUID = "VOL-1"})));
    // Two UUIDs decide alone, whatever the device numbers say.
    const ReviewStamp onVolume = stamp({.volumeUUID = "VOL-1"});
    EXPECT_TRUE(onVolume.matches(record({.device = 77, .volumeUUID = "VOL-1"})));
    EXPECT_FALSE(onVolume.matches(record({.volumeUUID = "VOL-2"})));
    EXPECT_TRUE(onVolume.matches(record({})));

    EXPECT_FALSE(plain.matches(record({.inode = 13})));
    EXPECT_FALSE(plain.matches(record({.size = 1001})));
    EXPECT_FALSE(plain.matches(record({.modified = 700'000'000.250001})));
    EXPECT_FALSE(plain.matches(record({.changeSeconds = 1'700'000'001})));
    EXPECT_FALSE(plain.matches(record({.changeNanoseconds = 6})));

    // A real file whose times move on.
    const test::TempDir dir;
    const std::string path = dir.write("report.pdf", "first");
    const ReviewStamp kept = ReviewStamp::of(FileRecord::read(path), Decision::keep, sessionS);
    const std::optional<std::string> next{sessionT};
    EXPECT_TRUE(kept.skips(FileRecord::read(path), next, false));

    test::setModified(path, 1'000'000'000, 1); // same size, new modification date
    EXPECT_FALSE(kept.matches(FileRecord::read(path)));
    EXPECT_FALSE(kept.skips(FileRecord::read(path), next, false));
}

TEST(ReviewStamp, SkipsKeptFilesAndThoseDecidedInTheCurrentSessionOnly)
{
    const std::optional<std::string> s{sessionS};
    const std::optional<std::string> t{sessionT};
    const FileRecord file = record({});

    const ReviewStamp kept = stamp({}, Decision::keep);
    EXPECT_TRUE(kept.skips(file, t, false));
    EXPECT_TRUE(kept.skips(file, std::nullopt, false));
    // Kept files come back in a new session when the user asks for reviewed files.
    EXPECT_FALSE(kept.skips(file, t, true));
    EXPECT_TRUE(kept.skips(file, s, true));
    // A changed file is proposed again even though it was kept.
    EXPECT_FALSE(kept.skips(record({.modified = 700'000'100.0}), t, false));
    EXPECT_FALSE(kept.skips(record({.changeNanoseconds = 9}), s, false));

    const ReviewStamp trashed = stamp({}, Decision::trash);
    EXPECT_TRUE(trashed.skips(file, s, false));
    EXPECT_FALSE(trashed.skips(file, t, false));
    EXPECT_FALSE(trashed.skips(file, std::nullopt, false));

    const ReviewStamp later = stamp({}, Decision::later);
    EXPECT_FALSE(later.skips(file, t, false));
    EXPECT_TRUE(later.skips(file, s, true));
}

TEST(ReviewStamp, RoundTripsThroughJsonWithItsKeysInOrderAndRefusesIncompleteOrUnknownOnes)
{
    const ReviewStamp full{std::numeric_limits<std::uint64_t>::max(),
                           std::numeric_limits<std::uint64_t>::max() - 1,
                           "5D1F0C55-0B44-4D7B-9C29-5A0E0E1D2E3A",
                           std::numeric_limits<std::int64_t>::max(),
                           dateFromTimestamp(1'700'000'000, 123'456'789),
                           -5,
                           999'999'999,
                           Decision::later,
                           std::string(sessionS)};
    EXPECT_EQ(ReviewStamp::fromJson(json::parse(json::dump(full.toJson()))), full);
    EXPECT_EQ(json::dump(stamp({}, Decision::trash).toJson()),
              R"({"device":2049,"inode":12,"size":1000,"modified":700000000.25,)"
              R"("changeSeconds":1700000000,"changeNanoseconds":5,"decision":"trash",)"
              R"("sessionID":"0A1C2A1B-1111-4222-8333-444455556666"})");
    const std::string withVolume = json::dump(full.toJson());
    EXPECT_LT(withVolume.find("\"inode\""), withVolume.find("\"volumeUUID\""));
    EXPECT_LT(withVolume.find("\"volumeUUID\""), withVolume.find("\"size\""));

    const Json good = stamp({}).toJson();
    for (const char* key : {"device", "inode", "size", "modified", "changeSeconds",
                            "changeNanoseconds", "decision", "sessionID"}) {
        Json missing = good;
        missing.erase(key);
        EXPECT_THROW(ReviewStamp::fromJson(missing), DecodeError) << key;
    }
    Json decision = good;
    decision["decision"] = "Keep";
    EXPECT_THROW(ReviewStamp::fromJson(decision), DecodeError);
    Json session = good;
    session["sessionID"] = "{0A1C2A1B-1111-4222-8333-444455556666}";
    EXPECT_THROW(ReviewStamp::fromJson(session), DecodeError);
    Json negative = good;
    negative["inode"] = -1;
    EXPECT_THROW(ReviewStamp::fromJson(negative), DecodeError);
    EXPECT_THROW(ReviewStamp::fromJson(Json::array()), DecodeError);

    Json lowerCase = good;
    lowerCase["sessionID"] = "0a1c2a1b-1111-4222-8333-444455556666";
    lowerCase["unknown"] = true;
    EXPECT_EQ(ReviewStamp::fromJson(lowerCase), stamp({}));
}

} // namespace
} // namespace tollenvane
