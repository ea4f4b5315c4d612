#include "core/duplicates/DuplicateFinder.h"

#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/base/Sha256.h"
#include "core/duplicates/FifoWatchdog.h"
#include "core/platform/CloudStatus.h"
#include "core/platform/FileMetadata.h"
#include "core/platform/TypeLookup.h"
#include "support/Errors.h"
#include "support/FakePlatform.h"
#include "support/NamedThreads.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;
using Reports = std::vector<std::pair<std::int64_t, std::int64_t>>;

// Bytes that differ from one offset to the next, so that a window read at a wrong place or of
// a wrong length gives another hash.
std::string patterned(std::size_t size, std::uint32_t seed)
{
    std::string bytes(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state & 0xff);
    }
    return bytes;
}

std::vector<std::string> paths(const DuplicateGroup& group)
{
    std::vector<std::string> result;
    for (const FileRecord& file : group.files) {
        result.emplace_back(file.path());
    }
    return result;
}

// Collects every report; its clock reads a second later each time, so that no chance to report
// is passed over.
struct Recorder {
    Reports reports;
    std::chrono::steady_clock::time_point now{};

    DuplicateFinder::Progress progress()
    {
        return [this](std::int64_t done, std::int64_t total) { reports.emplace_back(done, total); };
    }
    DuplicateFinder::Clock jumpingClock()
    {
        return [this] { return now += 1s; };
    }
};

// Answers "downloaded" to the first `answers` questions, then "evicted".
class EvictedAfter final : public CloudStatus {
public:
    explicit EvictedAfter(int answers)
        : answers_(answers)
    {}
    std::optional<bool> isDownloaded(const std::string&) const override { return answers_-- > 0; }

private:
    mutable int answers_;
};

TEST(DuplicateFinder, SamplesFirstMiddleAndLastWindowsOnceAndDigestsFilesStillAsRecorded)
{
    const test::TempDir dir;
    const std::vector<std::pair<std::size_t, std::vector<std::size_t>>> cases{
        {1'000'000, {0, 467'232, 934'464}},
        {100'000, {0, 17'232, 34'464}},
        {65'537, {0, 1}},
        {65'536, {0}},
        {100, {0}}};
    for (const auto& [size, offsets] : cases) {
        SCOPED_TRACE(size);
        const std::string content = patterned(size, static_cast<std::uint32_t>(size));
        std::string windows;
        for (const std::size_t offset : offsets) {
            windows += content.substr(offset, 65'536);
        }
        const FileRecord record = FileRecord::read(dir.write(std::to_string(size), content));
        EXPECT_EQ(DuplicateFinder::sample(record),
                  std::to_string(size) + ":" + Sha256::hexOf(windows));
    }

    // The digest reads whole contents of files still as recorded.
    const std::string large = patterned(2 * 1'048'576 + 12'345, 7);
    EXPECT_EQ(DuplicateFinder::digest(FileRecord::read(dir.write("large", large))),
              Sha256::hexOf(large));
    // Ends exactly where a chunk does: the read after it finds the end.
    const std::string chunks = patterned(2 * 1'048'576, 8);
    EXPECT_EQ(DuplicateFinder::digest(FileRecord::read(dir.write("chunks", chunks))),
              Sha256::hexOf(chunks));
    EXPECT_EQ(DuplicateFinder::digest(FileRecord::read(dir.write("empty"))),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");

    const FileRecord touched = FileRecord::read(dir.write("touched", "abc"));
    test::setModified(std::string(touched.path()), 1'000'000'000);
    EXPECT_EQ(test::fileErrorOf([&] { DuplicateFinder::digest(touched); }), FileError::changed);
    EXPECT_EQ(test::fileErrorOf([&] { DuplicateFinder::sample(touched); }), FileError::changed);

    // Evicted before the read, then while it is read (after the question that precedes it).
    const FileRecord local = FileRecord::read(dir.write("local", "abc"));
    for (const int answers : {0, 1}) {
        const EvictedAfter cloud(answers);
        const FileRecord::Environment evicted{TypeLookup::system(), FileMetadata::system(), cloud};
        EXPECT_EQ(test::fileErrorOf([&] { DuplicateFinder::digest(local, {}, evicted); }),
                  FileError::offline);
    }
}

TEST(DuplicateFinder, GroupsIdenticalFilesStillAsIndexedByPathWithTheLargestSavingFirst)
{
    const test::TempDir dir;
    const std::string ten = "0123456789";
    const std::string big = patterned(5000, 3);
    const std::vector<FileRecord> records{
        FileRecord::read(dir.write("c.txt", ten)),
        FileRecord::read(dir.write("x/1", big)),
        FileRecord::read(dir.write("d.txt", "9876543210")),
        FileRecord::read(dir.write("a.txt", ten)),
        FileRecord::read(dir.write("x/2", big)),
        FileRecord::read(dir.write("b.txt", ten)),
        FileRecord::read(dir.write("gone.txt", ten)),
        FileRecord::read(dir.write("touched.txt", ten)),
    };
    // Files changed or gone since indexing drop out quietly.
    std::filesystem::remove(dir / "gone.txt");
    test::setModified(dir / "touched.txt", 1'000'000'000);
    const auto groups = DuplicateFinder::find(records, {});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].reclaimable(), 5000);
    EXPECT_EQ(paths(groups[0]), (std::vector{dir / "x/1", dir / "x/2"}));
    EXPECT_EQ(groups[0].id(), Sha256::hexOf(big));
    EXPECT_EQ(groups[1].reclaimable(), 20);
    EXPECT_EQ(paths(groups[1]), (std::vector{dir / "a.txt", dir / "b.txt", dir / "c.txt"}));
}

TEST(DuplicateFinder, ReadsOnlyDistinctAvailableNonEmptyFilesThatShareASize)
{
    const test::TempDir dir;
    const std::string linked = dir.write("linked", "fourteen bytes");
    ASSERT_EQ(::link(linked.c_str(), (dir / "hardlink").c_str()), 0);
    test::FakeCloudStatus cloud;
    const FileRecord::Environment withCloud{TypeLookup::system(), FileMetadata::system(), cloud};
    cloud.downloaded[dir.write("cloud1", "in the cloud")] = false;
    cloud.downloaded[dir.write("cloud2", "in the cloud")] = false;

    const std::vector<FileRecord> records{
        FileRecord::read(dir / "hardlink"),
        FileRecord::read(linked),
        FileRecord::read(dir.write("copy", "fourteen bytes")),
        FileRecord::read(dir.write("empty1")),
        FileRecord::read(dir.write("empty2")),
        FileRecord::read(dir / "cloud1", {}, withCloud),
        FileRecord::read(dir / "cloud2", {}, withCloud),
        FileRecord::read(dir.write("one.app", "an application")),
        FileRecord::read(dir.write("two.app", "an application")),
        FileRecord::read(dir.write("seven", "1234567")),
        FileRecord::read(dir.write("eight", "12345678")),
    };
    Recorder recorder;
    const auto groups = DuplicateFinder::find(records, recorder.progress());
    ASSERT_EQ(groups.size(), 1u);
    // The first record of a file on disk stands for all its links.
    EXPECT_EQ(paths(groups[0]), (std::vector{dir / "copy", dir / "hardlink"}));
    // Only the two that share a size were counted, hence read.
    EXPECT_EQ(recorder.reports, (Reports{{4, 4}}));
}

TEST(DuplicateFinder, SameWindowsWithADifferentMiddleAreToldApartByTheDigest)
{
    const test::TempDir dir;
    const std::string original = patterned(1'000'000, 11);
    std::string altered = original;
    altered[200'000] = static_cast<char>(altered[200'000] ^ 0x5a); // between two windows
    const std::vector<FileRecord> records{
        FileRecord::read(dir.write("original", original)),
        FileRecord::read(dir.write("altered", altered)),
        FileRecord::read(dir.write("copy", original)),
        FileRecord::read(dir.write("other", altered.substr(1) + "?"))};
    Recorder recorder;
    const auto groups =
        DuplicateFinder::find(records, recorder.progress(), {}, recorder.jumpingClock());
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(paths(groups[0]), (std::vector{dir / "copy", dir / "original"}));
    EXPECT_EQ(groups[0].reclaimable(), 1'000'000);
    // Four samples, three digests counted on from 2N - M, then the closing report.
    EXPECT_EQ(recorder.reports,
              (Reports{{1, 8}, {2, 8}, {3, 8}, {4, 8}, {6, 8}, {7, 8}, {8, 8}, {8, 8}}));
}

TEST(DuplicateFinder, ReportsProgressSparinglyAlwaysAtTheEndUnlessCancelled)
{
    const test::TempDir dir;
    Recorder empty;
    EXPECT_TRUE(DuplicateFinder::find({}, empty.progress(), {}, empty.jumpingClock()).empty());
    EXPECT_EQ(empty.reports, (Reports{{0, 0}}));
    const std::vector<FileRecord> records{FileRecord::read(dir.write("a", "twin")),
                                          FileRecord::read(dir.write("b", "twin"))};
    Recorder frozen;
    const auto stillClock = [] { return std::chrono::steady_clock::time_point{}; };
    EXPECT_EQ(DuplicateFinder::find(records, frozen.progress(), {}, stillClock).size(), 1u);
    EXPECT_EQ(frozen.reports, (Reports{{4, 4}}));

    std::stop_source before;
    before.request_stop();
    Recorder early;
    EXPECT_THROW(DuplicateFinder::find(records, early.progress(), before.get_token()), Cancelled);
    EXPECT_TRUE(early.reports.empty());
    EXPECT_THROW(DuplicateFinder::sample(records[0], before.get_token()), Cancelled);
    EXPECT_THROW(DuplicateFinder::digest(records[0], before.get_token()), Cancelled);

    // Stopped at the first report of the digest pass.
    std::stop_source during;
    Recorder late;
    const auto progress = [&](std::int64_t done, std::int64_t total) {
        late.reports.emplace_back(done, total);
        if (done > total / 2) {
            during.request_stop();
        }
    };
    EXPECT_THROW(DuplicateFinder::find(records, progress, during.get_token(), late.jumpingClock()),
                 Cancelled);
    EXPECT_EQ(late.reports, (Reports{{1, 4}, {2, 4}, {3, 4}}));
}

// Groups of files read whole in one window and of files larger than a chunk told apart only by
// their middle, a hard link, empty files, and two files that the first progress report touches
// and replaces while the search runs.
class ChangingTree {
public:
    ChangingTree()
    {
        // Linked before any record is read: a new link changes the file's change time.
        const std::string linked = dir_.write("small/0-0");
        EXPECT_EQ(::link(linked.c_str(), (dir_ / "hardlink").c_str()), 0);
        for (std::uint32_t group = 0; group < 12; ++group) {
            const std::string content = patterned(1000 + group * 5000, group);
            for (std::uint32_t copy = 0; copy <= group % 3 + 1; ++copy) {
                add("small/" + std::to_string(group) + "-" + std::to_string(copy), content);
            }
        }
        for (const char* name : {"large/0", "large/1", "large/2", "replaced"}) {
            add(name, large_);
        }
        std::string middle = large_;
        middle[700'000] = static_cast<char>(middle[700'000] ^ 1);
        add("large/middle", middle);
        add("touched", test::readFile(dir_ / "small/1-0"));
        records_.push_back(FileRecord::read(dir_ / "hardlink"));
        add("empty1", "");
        add("empty2", "");
    }

    // Checks every report on the way: done increasing, the total 2N throughout, 2N at the end.
    std::vector<DuplicateGroup> find(unsigned threads, unsigned hashers, unsigned cacheReaders = 0,
                                     std::stop_token stop = {},
                                     const DuplicateFinder::Progress& alsoTell = {})
    {
        Recorder recorder;
        const auto progress = [&](std::int64_t done, std::int64_t total) {
            if (recorder.reports.empty()) {
                test::setModified(dir_ / "touched", 1'000'000'000 + ++touches_);
                std::filesystem::remove(dir_ / "replaced");
                dir_.write("replaced", large_);
            } else {
                EXPECT_GE(done, recorder.reports.back().first);
                EXPECT_EQ(total, recorder.reports.back().second);
            }
            recorder.reports.emplace_back(done, total);
            if (alsoTell) {
                alsoTell(done, total);
            }
        };
        auto groups = DuplicateFinder::find(
            records_, progress, std::move(stop), recorder.jumpingClock(),
            FileRecord::Environment::system(), threads, hashers, cacheReaders);
        EXPECT_EQ(recorder.reports.back().first, recorder.reports.back().second);
        return groups;
    }

    const test::TempDir& dir() const { return dir_; }

    // Has the kernel forget the large files' pages, so that reading them from the cache alone
    // fails (a file system that keeps files only in memory keeps them all the same).
    void forgetCachedPages() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(dir_ / "large")) {
            const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_GE(fd, 0);
            EXPECT_EQ(::fdatasync(fd), 0);
            EXPECT_EQ(::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED), 0);
            ::close(fd);
        }
    }

private:
    void add(const std::string& name, const std::string& content)
    {
        records_.push_back(FileRecord::read(dir_.write(name, content)));
    }

    test::TempDir dir_;
    std::string large_ = patterned(1'500'000, 21);
    std::vector<FileRecord> records_;
    int touches_ = 0;
};

TEST(DuplicateFinder, FindsTheSameGroupsWhateverThreadsReadAndHashWhileFilesChange)
{
    ChangingTree tree;
    const auto eight = tree.find(8, 1);
    EXPECT_EQ(tree.find(1, 1), eight);
    EXPECT_EQ(tree.find(1, 2), eight);
    EXPECT_EQ(tree.find(1, 5), eight);
    tree.forgetCachedPages();
    EXPECT_EQ(tree.find(1, 3, 8), eight);
    ASSERT_EQ(eight.size(), 13u);
    EXPECT_EQ(paths(eight[0]), (std::vector{tree.dir() / "large/0", tree.dir() / "large/1",
                                            tree.dir() / "large/2"}));
    // The hard link counts once, the touched and the replaced files not at all.
    EXPECT_EQ(paths(eight.back()),
              (std::vector{tree.dir() / "small/0-0", tree.dir() / "small/0-1"}));
    for (const DuplicateGroup& group : eight) {
        EXPECT_EQ(group.digest, Sha256::hexOf(test::readFile(std::string(group.files[0].path()))));
    }
}

TEST(DuplicateFinder, ACancelledSearchEndsWithNothingAndLeavesNothingRunning)
{
    ChangingTree tree;
    const auto threadCount = [] { return test::namedThreads({"file-reader", "file-hasher"}); };
    const auto before = threadCount();
    // A joined thread may stay listed a moment longer, until the kernel has reaped it.
    const auto settledThreadCount = [&] {
        for (int looks = 0; looks < 500 && threadCount() > before; ++looks) {
            std::this_thread::sleep_for(10ms);
        }
        return threadCount();
    };
    // Several readers, and one reader with threads hashing what it reads.
    struct Threads {
        unsigned readers, hashers, cacheReaders;
    };
    for (const auto& [threads, hashers, cacheReaders] :
         {Threads{8, 1, 0}, Threads{1, 3, 0}, Threads{1, 1, 8}}) {
        std::stop_source stop;
        std::int64_t reportsAfterStop = 0;
        const auto stopInDigestPass = [&](std::int64_t done, std::int64_t total) {
            reportsAfterStop += stop.stop_requested() ? 1 : 0;
            if (done > total / 2) {
                stop.request_stop();
            }
        };
        EXPECT_THROW(tree.find(threads, hashers, cacheReaders, stop.get_token(), stopInDigestPass),
                     Cancelled);
        EXPECT_EQ(reportsAfterStop, 0);
        EXPECT_EQ(settledThreadCount(), before);
        EXPECT_EQ(tree.find(threads, hashers, cacheReaders).size(), 13u);
    }
}

// Answers "downloaded", and touches `victim` on the `nth` question about it, after the status
// that this question goes with was read.
class TouchingOnQuestion final : public CloudStatus {
public:
    TouchingOnQuestion(std::string victim, int nth)
        : victim_(std::move(victim))
        , nth_(nth)
    {}
    std::optional<bool> isDownloaded(const std::string& path) const override
    {
        if (path == victim_ && ++asked_ == nth_) {
            test::setModified(path, 1'000'000'000);
        }
        return true;
    }

private:
    std::string victim_;
    int nth_;
    mutable int asked_ = 0;
};

TEST(DuplicateFinder, AFileChangedWhileItIsReadWholeIsRefusedWhoeverHashesIt)
{
    const test::TempDir dir;
    const std::string content = patterned(3 * 1'048'576 + 5, 4);
    for (const char* name : {"a", "b", "victim"}) {
        dir.write(name, content);
    }
    for (const unsigned hashers : {1u, 3u}) {
        SCOPED_TRACE(hashers);
        const std::vector<FileRecord> records{FileRecord::read(dir / "a"),
                                              FileRecord::read(dir / "victim"),
                                              FileRecord::read(dir / "b")};
        // Questions: before and after the sample, then before the whole read, which is when the
        // file changes.
        const TouchingOnQuestion cloud(dir / "victim", 3);
        const FileRecord::Environment touching{TypeLookup::system(), FileMetadata::system(), cloud};
        const auto groups = DuplicateFinder::find(records, {}, {}, {}, touching, 1, hashers);
        ASSERT_EQ(groups.size(), 1u);
        EXPECT_EQ(paths(groups[0]), (std::vector{dir / "a", dir / "b"}));
        EXPECT_EQ(groups[0].digest, Sha256::hexOf(content));
    }
}

TEST(DuplicateFinder, APathSwappedForAFifoIsRefusedWithoutBlocking)
{
    const test::TempDir dir;
    const std::string swapped = dir.write("swapped", "same content");
    const std::vector<FileRecord> records{FileRecord::read(swapped),
                                          FileRecord::read(dir.write("twin", "same content"))};
    std::filesystem::remove(swapped);
    ASSERT_EQ(::mkfifo(swapped.c_str(), 0600), 0);
    test::expectNoHangOn(swapped, [&] {
        EXPECT_TRUE(DuplicateFinder::find(records, {}).empty());
        EXPECT_THROW(DuplicateFinder::digest(records[0]), FileError);
    });
}

} // namespace
} // namespace tollenvane
