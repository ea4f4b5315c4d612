#include "core/base/FileError.h"
#include "core/base/PlatformError.h"
#include "core/localisation/ErrorText.h"
#include "core/scan/FileIndexer.h"
#include "support/ScanOutcome.h"
#include "support/ScopedLanguage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <thread>

namespace tollenvane {
namespace {

using test::drain;
using test::TempDir;
using test::unpaused;

std::string numbered(const std::string& stem, int number)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", number);
    return stem + digits + ".txt";
}

std::set<std::string> writeFiles(const TempDir& dir, const std::string& folder,
                                 const std::string& stem, int count)
{
    std::set<std::string> written;
    for (int i = 0; i < count; ++i) {
        written.insert(dir.write(folder + "/" + numbered(stem, i), "x"));
    }
    return written;
}

// Reads statuses as the system does, but fails for names that begin with `prefix`.
ScanOptions failingStatus(std::string prefix)
{
    ScanOptions options = unpaused();
    options.statusReader = [prefix = std::move(prefix)](int folderFd, const char* name) {
        if (std::string_view(name).starts_with(prefix)) {
            throw PlatformError(EACCES, "statx");
        }
        return FileStatus::readAt(folderFd, name);
    };
    return options;
}

std::int64_t totalWeight(const std::vector<ScanEvent::Issue>& issues)
{
    return std::accumulate(issues.begin(), issues.end(), std::int64_t{0},
                           [](std::int64_t sum, const auto& issue) { return sum + issue.weight; });
}

// The problem texts as the catalogue keys spell them.
class ScanCursorInFrench : public ::testing::Test {
protected:
    const test::ScopedLanguage french{AppLanguage::fr};
};

TEST(ScanCursor, HandsOutEveryFileOnceInBoundedBatchesThenFinishes)
{
    const TempDir dir;
    std::set<std::string> expected = writeFiles(dir, "a", "f", 700);
    expected.merge(writeFiles(dir, "b/c", "g", 700));
    ScanCursor cursor = FileIndexer::scan({dir.path()}, false, 0, unpaused());
    const auto outcome = drain(cursor);

    const auto batches = outcome.batches;
    ASSERT_GE(batches.size(), 3u);
    EXPECT_LE(batches.front().size(), ScanCursor::firstBatchLimit);
    for (const auto& batch : batches) {
        EXPECT_FALSE(batch.empty());
        EXPECT_LE(batch.size(), ScanCursor::batchLimit);
    }
    EXPECT_EQ(outcome.paths.size(), expected.size());
    EXPECT_EQ(outcome.pathSet(), expected);
    EXPECT_TRUE(outcome.issues.empty());
    EXPECT_TRUE(outcome.endsWithFinished);
    EXPECT_EQ(outcome.finishedCount, 1);
    EXPECT_FALSE(cursor.next().has_value());

    ScanCursor moved = std::move(cursor);
    EXPECT_FALSE(moved.next().has_value());
}

TEST_F(ScanCursorInFrench, RootsAreNormalisedValidatedAndOpenedOneByOne)
{
    ScanCursor none = FileIndexer::scan({}, false, 0, unpaused());
    const auto empty = drain(none);
    EXPECT_TRUE(empty.batches.empty() && empty.issues.empty());
    EXPECT_TRUE(empty.endsWithFinished);

    const TempDir dir;
    const std::string inner = dir.write("photos/inner/a.jpg", "a");
    const std::string outer = dir.write("photos/b.jpg", "b");
    dir.write("project/.git/hooks/x", "x");
    ScanCursor nested = FileIndexer::scan(
        {dir / "photos/inner", dir / "project/.git/hooks", dir / "photos/", dir / "gone"}, false, 0,
        unpaused());
    const auto outcome = drain(nested);
    EXPECT_EQ(outcome.paths.size(), 2u);
    EXPECT_EQ(outcome.pathSet(), (std::set<std::string>{inner, outer}));
    // Shortest root first.
    const std::vector<ScanEvent::Issue> expectedIssues{
        {"gone : " + errorDescription(FileError::permission), 1},
        {"hooks : " + errorDescription(FileError::unsafeSource), 1}};
    EXPECT_EQ(outcome.issues, expectedIssues);
    EXPECT_TRUE(outcome.endsWithFinished);

    // A root that passes validation yet cannot be opened.
    dir.write("locked/c.txt", "c");
    ScanOptions options = unpaused();
    const std::string locked = dir / "locked";
    options.folderOpener = [locked](int parentFd, const char* name) {
        if (parentFd == AT_FDCWD && name == locked) {
            throw PlatformError(EACCES, "open");
        }
        return ScanOptions::openFolder(parentFd, name);
    };
    ScanCursor refused = FileIndexer::scan({locked, dir / "photos"}, false, 0, options);
    const auto blocked = drain(refused);
    EXPECT_EQ(blocked.pathSet(), (std::set<std::string>{inner, outer}));
    EXPECT_EQ(blocked.issues, (std::vector<ScanEvent::Issue>{{"locked : accès impossible.", 1}}));
}

TEST_F(ScanCursorInFrench, KeepsThirtyProblemsAndWeighsTheClosingTextByWhatItDropped)
{
    const TempDir dir;
    const std::set<std::string> good = writeFiles(dir, "mixed", "ok-", 5);
    writeFiles(dir, "mixed", "bad-", 45);
    ScanCursor cursor = FileIndexer::scan({dir.path()}, false, 0, failingStatus("bad-"));
    const auto outcome = drain(cursor);

    EXPECT_EQ(outcome.pathSet(), good);
    const auto& issues = outcome.issues;
    ASSERT_EQ(issues.size(), 31u);
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_TRUE(issues[i].text.starts_with("bad-")) << issues[i].text;
        // The error's description alone, in the interface language.
        EXPECT_TRUE(issues[i].text.ends_with(".txt : Accès refusé.")) << issues[i].text;
        EXPECT_EQ(issues[i].weight, 1);
    }
    EXPECT_EQ(issues.back(),
              (ScanEvent::Issue{"15 autres fichiers inaccessibles ont été ignorés.", 15}));
    EXPECT_EQ(totalWeight(issues), 45);
    EXPECT_TRUE(outcome.endsWithFinished);
    EXPECT_EQ(outcome.finishedCount, 1);

    // Exactly as many as are kept: nothing was dropped, so there is no closing text.
    const TempDir thirty;
    writeFiles(thirty, "f", "bad-", 30);
    ScanCursor capped = FileIndexer::scan({thirty.path()}, false, 0, failingStatus("bad-"));
    const auto all = drain(capped);
    ASSERT_EQ(all.issues.size(), 30u);
    EXPECT_TRUE(all.issues.back().text.starts_with("bad-"));
    EXPECT_TRUE(all.endsWithFinished);
}

TEST(ScanCursor, AFolderThatCannotBeOpenedIsOneProblemAndTheWalkGoesOn)
{
    const TempDir dir;
    dir.write("locked/hidden-from-us.txt", "x");
    dir.write("locked/deeper/more.txt", "x");
    const std::string before = dir.write("a/before.txt", "x");
    const std::string after = dir.write("z/after.txt", "x");
    ScanOptions options = unpaused();
    options.folderOpener = [](int parentFd, const char* name) {
        if (std::string_view(name) == "locked") {
            throw PlatformError(ELOOP, "open");
        }
        return ScanOptions::openFolder(parentFd, name);
    };
    ScanCursor cursor = FileIndexer::scan({dir.path()}, false, 0, options);
    const auto outcome = drain(cursor);
    EXPECT_EQ(outcome.pathSet(), (std::set<std::string>{before, after}));
    EXPECT_EQ(outcome.issues, (std::vector<ScanEvent::Issue>{
                                  {"locked : " + std::string(std::strerror(ELOOP)), 1}}));
    EXPECT_TRUE(outcome.endsWithFinished);
}

TEST(ScanCursor, CancellationEndsTheStreamWithoutFinishedOrProblem)
{
    const TempDir dir;
    const std::set<std::string> written = writeFiles(dir, "many", "f-", 1000);

    std::stop_source before;
    before.request_stop();
    ScanCursor unstarted = FileIndexer::scan({dir.path()}, false, 0, unpaused());
    EXPECT_FALSE(unstarted.next(before.get_token()).has_value());
    EXPECT_FALSE(unstarted.next().has_value()) << "a cancelled stream stays ended";

    // The stop request arrives in the middle of a folder, while a batch is being filled.
    std::stop_source during;
    ScanOptions options = unpaused();
    options.statusReader = [&during](int fd, const char* name) {
        if (std::string_view(name) == "f-0700.txt") {
            during.request_stop();
        }
        return FileStatus::readAt(fd, name);
    };
    ScanCursor cursor = FileIndexer::scan({dir.path()}, false, 0, options);
    const auto outcome = drain(cursor, during.get_token());
    EXPECT_TRUE(during.stop_requested());
    EXPECT_EQ(outcome.finishedCount, 0);
    EXPECT_TRUE(outcome.issues.empty());
    for (const std::string& path : outcome.paths) {
        EXPECT_TRUE(written.contains(path)) << path;
    }
    EXPECT_LT(outcome.paths.size(), written.size());
    EXPECT_FALSE(cursor.next().has_value()) << "the records of the dropped batch must not vanish";

    // The pause before a step gives way to a stop request at once; a wait that did not would
    // hang here. The stop comes a little later than the pull so that it usually finds the
    // consumer waiting; either way the pull must give nothing.
    ScanOptions slow;
    slow.pause = std::chrono::hours(1);
    ScanCursor paused = FileIndexer::scan({dir.path()}, false, 0, slow);
    std::optional<ScanEvent> pulled = ScanEvent::finished();
    std::jthread consumer([&](std::stop_token stop) { pulled = paused.next(stop); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    consumer.request_stop();
    consumer.join();
    EXPECT_FALSE(pulled.has_value());
}

} // namespace
} // namespace tollenvane
