#include "core/persistence/ReviewJournal.h"

#include "core/base/FileError.h"
#include "core/base/PlatformError.h"
#include "support/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <thread>
#include <vector>

namespace tollenvane {
namespace {

using namespace std::string_literals;

constexpr std::string_view session = "0A1C2A1B-1111-4222-8333-444455556666";

ReviewStamp stamp(std::int64_t size, Decision decision = Decision::keep)
{
    return {.device = 2049,
            .inode = 12,
            .size = size,
            .modified = 700'000'000.5,
            .decision = decision,
            .sessionID = std::string(session)};
}

std::string lineOf(const std::string& path, const std::optional<ReviewStamp>& value)
{
    return json::dump(ReviewJournal::Entry{path, value}.toJson()) + "\n";
}

TEST(ReviewJournal, LivesBesideTheStateFile)
{
    EXPECT_EQ(ReviewJournal::pathBeside("/d/Tollenvane/state.json"),
              "/d/Tollenvane/state.reviews.jsonl");
    EXPECT_EQ(ReviewJournal::pathBeside("/d/archive.tar.gz"), "/d/archive.tar.reviews.jsonl");
    EXPECT_EQ(ReviewJournal::pathBeside("/d.v2/state"), "/d.v2/state.reviews.jsonl");
    EXPECT_EQ(ReviewJournal::pathBeside("/d/.state"), "/d/.state.reviews.jsonl");
}

TEST(ReviewJournal, AMissingOrEmptyJournalHoldsNothing)
{
    const test::TempDir dir;
    EXPECT_TRUE(ReviewJournal(dir / "state.reviews.jsonl").load().empty());
    EXPECT_TRUE(ReviewJournal(dir / "no/folder/state.reviews.jsonl").load().empty());
    EXPECT_TRUE(ReviewJournal(dir.write("empty.jsonl")).load().empty());
    EXPECT_TRUE(ReviewJournal(dir.write("blank.jsonl", "\n\n")).load().empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

TEST(ReviewJournal, TheLastLineOfAPathDecides)
{
    const test::TempDir dir;
    const std::string path = dir / "data/Tollenvane/state.reviews.jsonl";
    ReviewJournal journal(path);
    const mode_t previousMask = ::umask(0);
    journal.record("/h/a.png", stamp(1));
    ::umask(previousMask);
    EXPECT_EQ(test::permissions(path), 0600u); // new, in a folder that did not exist

    journal.record("/h/b.png", stamp(7, Decision::trash));
    journal.record("/h/a.png", stamp(2, Decision::move));
    journal.record("/h/c.png", stamp(3));
    journal.record("/h/c.png", std::nullopt);
    journal.record("/h/never.png", std::nullopt);

    EXPECT_EQ(test::readFile(path),
              lineOf("/h/a.png", stamp(1)) + lineOf("/h/b.png", stamp(7, Decision::trash)) +
                  lineOf("/h/a.png", stamp(2, Decision::move)) + lineOf("/h/c.png", stamp(3)) +
                  lineOf("/h/c.png", std::nullopt) + lineOf("/h/never.png", std::nullopt));
    const auto stamps = journal.load();
    EXPECT_EQ(stamps, (ReviewStamps{{"/h/a.png", stamp(2, Decision::move)},
                                    {"/h/b.png", stamp(7, Decision::trash)}}));
    // A fresh journal over the same file, as at the next start.
    EXPECT_EQ(ReviewJournal(path).load(), stamps);
}

TEST(ReviewJournal, AppendsKeepTheFilesPermissionsAndResetMakesItOwnerOnly)
{
    const test::TempDir dir;
    const std::string path = dir.write("state.reviews.jsonl", lineOf("/h/a.png", stamp(1)));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ReviewJournal journal(path);
    journal.record("/h/b.png", stamp(2));
    EXPECT_EQ(test::permissions(path), 0640u);
    EXPECT_EQ(journal.load().size(), 2u);

    const mode_t previousMask = ::umask(0);
    journal.reset();
    ::umask(previousMask);
    EXPECT_EQ(test::readFile(path), "");
    EXPECT_EQ(test::permissions(path), 0600u);
    EXPECT_TRUE(journal.load().empty());
    journal.record("/h/c.png", stamp(3));
    EXPECT_EQ(journal.load().size(), 1u);

    // Resetting does not create the folder.
    ReviewJournal elsewhere(dir / "missing/state.reviews.jsonl");
    EXPECT_EQ(test::platformErrorOf([&] { elsewhere.reset(); }), ENOENT);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(ReviewJournal, BlankLinesAndMissingOrDoubledLineFeedsAreHarmless)
{
    const test::TempDir dir;
    const std::string a = lineOf("/h/a.png", stamp(1));
    const std::string b = lineOf("/h/b.png", stamp(2));
    const std::string bWithoutFeed = b.substr(0, b.size() - 1);
    for (const std::string& content :
         {"\n" + a + "\n\n" + b + "\n", a + b + "\n", a + bWithoutFeed, "\n\n" + a + "\n" + b}) {
        const std::string path = dir.write("journal.jsonl", content);
        const auto stamps = ReviewJournal(path).load();
        EXPECT_EQ(stamps.size(), 2u) << content;
        EXPECT_EQ(stamps.at("/h/b.png"), stamp(2)) << content;
    }
}

TEST(ReviewJournal, OneBadLineAnywhereFailsTheLoadAndTouchesNothing)
{
    const test::TempDir dir;
    const std::string good = lineOf("/h/a.png", stamp(1));
    Json unknownDecision = ReviewJournal::Entry{"/h/x.png", stamp(1)}.toJson();
    unknownDecision["stamp"]["decision"] = "delete";
    const std::vector<std::string> badLines = {
        R"({"path":"/h/x.png","stamp":{"device":1)",
        R"({"stamp":)" + json::dump(stamp(1).toJson()) + "}",
        json::dump(unknownDecision),
        R"(["/h/x.png"])",
        "{\"path\":\"caf\xe9\"}",
        R"({"path":"/h/x.png","stamp":{"device":1e400}})",
    };
    for (const std::string& bad : badLines) {
        for (const std::string& content :
             {bad + "\n" + good, good + bad + "\n" + good, good + "\n" + good + bad + "\n"}) {
            const std::string path = dir.write("journal.jsonl", content);
            try {
                ReviewJournal(path).load();
                ADD_FAILURE() << "loaded: " << content;
            } catch (const DecodeError& error) {
                EXPECT_NE(std::string(error.what()).find("line "), std::string::npos);
            }
            EXPECT_EQ(test::readFile(path), content);
        }
    }
    try {
        ReviewJournal(dir.write("journal.jsonl", good + "\n" + good + "{}\n")).load();
        ADD_FAILURE() << "loaded";
    } catch (const DecodeError& error) {
        EXPECT_NE(std::string(error.what()).find("line 4"), std::string::npos) << error.what();
    }
}

TEST(ReviewJournal, AnAppendCutShortByACrashLosesOnlyItsOwnLine)
{
    const test::TempDir dir;
    const std::string a = lineOf("/h/a.png", stamp(1));
    const std::string b = lineOf("/h/b.png", stamp(2));
    const std::string c = lineOf("/h/c.png", stamp(3));
    // Torn mid-way; and cut at a page boundary with the rest of the page left as zeros, the line
    // feed among them.
    std::string zeroed = a + b.substr(0, b.size() - 1);
    zeroed.resize(4096, '\0');
    for (const std::string& torn : {a + b.substr(0, b.size() / 2), zeroed}) {
        const std::string path = dir.write("journal.jsonl", torn);
        ReviewJournal journal(path);
        EXPECT_EQ(journal.load(), (ReviewStamps{{"/h/a.png", stamp(1)}}));
        EXPECT_EQ(test::readFile(path), torn);

        journal.record("/h/c.png", stamp(3));
        EXPECT_EQ(test::readFile(path), a + c);
        EXPECT_EQ(ReviewJournal(path).load(),
                  (ReviewStamps{{"/h/a.png", stamp(1)}, {"/h/c.png", stamp(3)}}));
    }

    // A whole last line that lacks only its feed stands, and gets one.
    const std::string path = dir.write("journal.jsonl", a + b.substr(0, b.size() - 1));
    ReviewJournal(path).record("/h/c.png", stamp(3));
    EXPECT_EQ(test::readFile(path), a + b + c);
}

TEST(ReviewJournal, AFailedAppendLeavesTheJournalExactlyAsItWas)
{
    const test::TempDir dir;
    const std::string path = dir / "state.reviews.jsonl";
    ReviewJournal journal(path);
    journal.record("/h/a.png", stamp(1));
    journal.record("/h/b.png", stamp(2));
    const std::string before = test::readFile(path);
    const auto size = static_cast<rlim_t>(before.size());
    const rlim_t lineSize = lineOf("/h/c.png", stamp(3)).size();

    // Room for half the line, then for none of it: each append fails after the open.
    for (const rlim_t room : {lineSize / 2, rlim_t{0}}) {
        {
            const test::FileSizeLimit limit(size + room);
            EXPECT_EQ(test::platformErrorOf([&] { journal.record("/h/c.png", stamp(3)); }), EFBIG);
        }
        EXPECT_EQ(test::readFile(path), before) << room;
        EXPECT_EQ(journal.load().size(), 2u);
    }

    journal.record("/h/c.png", stamp(3));
    EXPECT_EQ(journal.load().size(), 3u);
}

TEST(ReviewJournal, RefusesLinesThatWouldNotReadBackBeforeWritingThem)
{
    const test::TempDir dir;
    const std::string path = dir / "state.reviews.jsonl";
    ReviewJournal journal(path);
    journal.record("/h/a.png", stamp(1));
    const std::string before = test::readFile(path);

    ReviewStamp noSession = stamp(2);
    noSession.sessionID = "current";
    EXPECT_THROW(journal.record("/h/b.png", noSession), DecodeError);
    ReviewStamp noDate = stamp(2);
    noDate.modified = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(journal.record("/h/b.png", noDate), DecodeError);
    ReviewStamp foreignVolume = stamp(2);
    foreignVolume.volumeUUID = "vol\xff";
    for (const auto& [file, value] :
         {std::pair{"/h/caf\xe9.png"s, stamp(2)}, std::pair{"/h/b.png"s, foreignVolume}}) {
        EXPECT_EQ(test::fileErrorOf([&] { journal.record(file, value); }), FileError::unsupported)
            << "recorded text that is not UTF-8";
    }
    EXPECT_EQ(test::readFile(path), before);
}

TEST(ReviewJournal, RefusesAJournalThatIsALinkOrNotAPlainFile)
{
    const test::TempDir dir;
    const std::string target = dir.write("elsewhere.txt", "do not touch\n");
    const std::string link = dir / "state.reviews.jsonl";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ReviewJournal linked(link);
    EXPECT_EQ(test::platformErrorOf([&] { linked.load(); }), ELOOP);
    EXPECT_EQ(test::platformErrorOf([&] { linked.record("/h/a.png", stamp(1)); }), ELOOP);
    EXPECT_EQ(test::readFile(target), "do not touch\n");

    // A FIFO in its place must not hang the application.
    const std::string fifo = dir / "fifo.jsonl";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(ReviewJournal(fifo).load(), PlatformError);
    EXPECT_THROW(ReviewJournal(fifo).record("/h/a.png", stamp(1)), PlatformError);
}

TEST(ReviewJournal, ConcurrentRecordsAllArrive)
{
    const test::TempDir dir;
    ReviewJournal journal(dir / "new/state.reviews.jsonl");
    constexpr int threads = 4;
    constexpr int perThread = 50;
    {
        std::vector<std::jthread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([&journal, t] {
                for (int i = 0; i < perThread; ++i) {
                    journal.record("/h/" + std::to_string(t) + "-" + std::to_string(i), stamp(i));
                }
            });
        }
    }
    EXPECT_EQ(journal.load().size(), static_cast<std::size_t>(threads * perThread));
}

} // namespace
} // namespace tollenvane
