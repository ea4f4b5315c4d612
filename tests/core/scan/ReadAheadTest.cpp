#include "core/scan/ReadAhead.h"

#include "core/base/PlatformError.h"
#include "core/localisation/ErrorText.h"
#include "core/scan/FileIndexer.h"
#include "core/scan/LoweredOpenFiles.h"
#include "support/NamedThreads.h"
#include "support/ScanOutcome.h"
#include "support/ScratchFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>
#include <thread>

namespace tollenvane {
namespace {

using test::drain;
using test::TempDir;

ScanOptions walkers(unsigned threads, ScanOptions options = test::unpaused())
{
    options.walkerThreads = threads;
    return options;
}

std::vector<FileRecord> recordsOf(const test::ScanOutcome& outcome)
{
    std::vector<FileRecord> all;
    for (const auto& batch : outcome.batches) {
        all.insert(all.end(), batch.begin(), batch.end());
    }
    return all;
}

// Fails the same names whatever the thread that asks.
ScanOptions withFailures()
{
    ScanOptions options = test::unpaused();
    options.statusReader = [](int folderFd, const char* name) {
        if (std::string_view(name).starts_with("bad-")) {
            throw PlatformError(EACCES, "statx");
        }
        return FileStatus::readAt(folderFd, name);
    };
    options.folderOpener = [](int parentFd, const char* name) {
        if (std::string_view(name).starts_with("locked-")) {
            throw PlatformError(EACCES, "open");
        }
        return ScanOptions::openFolder(parentFd, name);
    };
    return options;
}

void expectSameWalk(const std::vector<std::string>& roots, const ScanOptions& options)
{
    ScanCursor alone = FileIndexer::scan(roots, true, 0, walkers(1, options));
    ScanCursor helped = FileIndexer::scan(roots, true, 0, walkers(8, options));
    const test::ScanOutcome serial = drain(alone);
    const test::ScanOutcome parallel = drain(helped);
    ASSERT_EQ(parallel.paths, serial.paths);
    EXPECT_TRUE(recordsOf(parallel) == recordsOf(serial));
    EXPECT_FALSE(serial.issues.empty());
    EXPECT_EQ(parallel.issues, serial.issues);
    EXPECT_TRUE(parallel.endsWithFinished);
    ASSERT_FALSE(parallel.batches.empty());
    EXPECT_LE(parallel.batches.front().size(), ScanCursor::firstBatchLimit);
    for (const auto& batch : parallel.batches) {
        EXPECT_LE(batch.size(), ScanCursor::batchLimit);
    }
}

// Everything a walk meets: files side by side and deep, hard links, a link to the root, names
// pruned, statuses and folders that cannot be read, a folder its owner cannot open, and a folder
// mounted inside itself when the machine allows it.
std::string makeTree(const TempDir& dir)
{
    const std::string root = dir.makeFolder("root");
    for (int folder = 0; folder < 6; ++folder) {
        for (int file = 0; file < 120; ++file) {
            const std::string stem = file % 37 == 5 ? "bad-" : "f-";
            dir.write("root/docs/d" + std::to_string(folder) + "/" + stem + std::to_string(file),
                      std::string(static_cast<std::size_t>(file), 'x'));
        }
    }
    for (int folder = 0; folder < 300; ++folder) {
        const std::string name = folder % 50 == 7 ? "locked-" : "w";
        dir.write("root/wide/" + name + std::to_string(folder) + "/a.txt", "a");
    }
    std::string deep = "root/deep";
    for (int level = 0; level < 80; ++level) {
        dir.write(deep + "/side/s.txt", "s");
        dir.write(deep + "/l.txt", "l");
        deep += "/d";
    }
    std::filesystem::create_hard_link(dir / "root/docs/d0/f-1", dir / "root/hard-link");
    std::filesystem::create_directory_symlink(root, dir / "root/docs/to-root");
    dir.write("root/.git/objects/x", "x");
    dir.write("root/Tool.app/Contents/x", "x");
    dir.write("root/closed/unseen.txt", "x");
    ::chmod((dir / "root/closed").c_str(), 0);
    return root;
}

TEST(ReadAhead, HandsOutWhatTheWalkAloneFindsInTheSameOrder)
{
    const TempDir dir;
    const std::string root = makeTree(dir);
    std::string whyNot;
    std::unique_ptr<test::Mount> loop;
    if (test::enterPrivateMountNamespace(whyNot)) {
        loop = std::make_unique<test::Mount>(root + "/docs", dir.makeFolder("root/docs/d1/inner"),
                                             nullptr, MS_BIND);
    }
    const std::vector<std::string> nested{root, root + "/docs/d2", root + "/wide/w3"};

    expectSameWalk(nested, withFailures());
    {
        // A smaller budget of descriptors: the walk opens some of the wide folder's subfolders
        // itself.
        const test::LoweredOpenFiles limit(128);
        expectSameWalk(nested, withFailures());
    }
    ::chmod((dir / "root/closed").c_str(), 0755);
}

TEST(ReadAhead, AWalkSlowerThanItsHelpersGetsTheSameFilesPastTheReadAheadBudget)
{
    const TempDir dir;
    const std::string root = dir.makeFolder("root");
    // More entries than the helpers may hold for the walk, in folders of every width, with
    // deep folders further on that the helpers reach while the walk pauses.
    for (int folder = 0; folder < 24; ++folder) {
        const int files = folder % 3 == 0 ? 2000 : 200;
        for (int file = 0; file < files; ++file) {
            dir.write("root/w" + std::to_string(folder) + "/" + std::to_string(file), "");
        }
        std::string deep = "root/w" + std::to_string(folder);
        for (int level = 0; level < 12; ++level) {
            deep += "/d" + std::to_string(level);
            dir.write(deep + "/x", "x");
        }
    }
    ASSERT_GT(24 / 3 * 2000 + 16 * 200, ReadAhead::entryLimit);
    ScanCursor alone = FileIndexer::scan({root}, false, 0, walkers(1));
    ScanOptions slow = walkers(8);
    slow.pause = std::chrono::milliseconds(1);
    ScanCursor helped = FileIndexer::scan({root}, false, 0, slow);
    const test::ScanOutcome serial = drain(alone);
    const test::ScanOutcome parallel = drain(helped);
    ASSERT_EQ(parallel.paths, serial.paths);
    EXPECT_TRUE(recordsOf(parallel) == recordsOf(serial));
    EXPECT_TRUE(parallel.endsWithFinished);
}

TEST(ReadAhead, AnUnexpectedErrorReachesTheCallerAsWithoutHelpers)
{
    const TempDir dir;
    dir.write("a/b/odd.txt", "x");
    ScanOptions options = test::unpaused();
    options.statusReader = [](int folderFd, const char* name) {
        if (std::string_view(name) == "odd.txt") {
            throw std::logic_error("unexpected");
        }
        return FileStatus::readAt(folderFd, name);
    };
    for (const unsigned threads : {1u, 8u}) {
        ScanCursor cursor = FileIndexer::scan({dir.path()}, false, 0, walkers(threads, options));
        EXPECT_THROW(drain(cursor), std::logic_error) << threads << " threads";
    }
}

// What a walk holds of the system, to see that it gives everything back.
struct Held {
    long threads = 0;
    long descriptors = 0;

    static Held now()
    {
        const auto entries = std::filesystem::directory_iterator("/proc/self/fd");
        return Held{test::namedThreads({"folder-reader"}),
                    static_cast<long>(std::distance(begin(entries), end(entries)))};
    }
    // A joined thread leaves the system's list a moment after the join returns.
    static Held afterJoins(const Held& expected)
    {
        Held held = now();
        for (int attempt = 0; attempt < 500 && held.threads != expected.threads; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            held = now();
        }
        return held;
    }
    bool operator==(const Held&) const = default;
};

TEST(ReadAhead, ACancelledWalkHandsOutAPrefixAndGivesBackItsThreadsAndDescriptors)
{
    const TempDir dir;
    for (int folder = 0; folder < 200; ++folder) {
        for (int file = 0; file < 10; ++file) {
            dir.write("f" + std::to_string(folder) + "/" + std::to_string(file), "x");
        }
    }
    ScanCursor alone = FileIndexer::scan({dir.path()}, false, 0, walkers(1));
    const std::vector<std::string> whole = drain(alone).paths;
    const Held before = Held::now();

    std::stop_source stop;
    std::atomic<int> read{0};
    ScanOptions options = walkers(8);
    options.statusReader = [&](int folderFd, const char* name) {
        if (++read == 1000) {
            stop.request_stop();
        }
        return FileStatus::readAt(folderFd, name);
    };
    ScanCursor cut = FileIndexer::scan({dir.path()}, false, 0, options);
    const test::ScanOutcome outcome = drain(cut, stop.get_token());
    EXPECT_TRUE(stop.stop_requested());
    EXPECT_LT(outcome.paths.size(), whole.size());
    EXPECT_TRUE(std::equal(outcome.paths.begin(), outcome.paths.end(), whole.begin()));
    EXPECT_EQ(outcome.finishedCount, 0);
    // The stream is over: the helpers are gone though the cursor is not.
    EXPECT_EQ(Held::afterJoins(before), before);
    EXPECT_FALSE(cut.next().has_value());

    // Left in the middle without a stop request.
    {
        ScanCursor left = FileIndexer::scan({dir.path()}, false, 0, walkers(8));
        ASSERT_TRUE(left.next().has_value());
    }
    EXPECT_EQ(Held::afterJoins(before), before);
}

TEST(ReadAhead, AFolderReplacedAfterItWasReadAheadIsReportedNotFollowed)
{
    const TempDir dir;
    const std::string root = dir.makeFolder("root");
    dir.write("root/mark/old.txt", "o");
    const std::string kept = dir.write("root/keep.txt", "k");
    ScanOptions options = walkers(8);
    options.folderOpener = [&dir](int parentFd, const char* name) {
        UniqueFd folder = ScanOptions::openFolder(parentFd, name);
        if (std::string_view(name) == "mark") {
            std::filesystem::rename(dir / "root/mark", dir / "moved");
            dir.write("root/mark/planted.txt", "p");
        }
        return folder;
    };
    ScanCursor cursor = FileIndexer::scan({root}, false, 0, options);
    const test::ScanOutcome outcome = drain(cursor);
    std::set<std::string> found = outcome.pathSet();
    EXPECT_EQ(found.erase(kept), 1u);
    // The listing may or may not show the new folder, which is rightly walked if it does.
    found.erase(root + "/mark/planted.txt");
    EXPECT_TRUE(found.empty()) << *found.begin();
    EXPECT_EQ(outcome.issues, (std::vector<ScanEvent::Issue>{
                                  {"mark : " + errorDescription(PlatformError(ENOENT)), 1}}));
    EXPECT_TRUE(outcome.endsWithFinished);
}

} // namespace
} // namespace tollenvane
