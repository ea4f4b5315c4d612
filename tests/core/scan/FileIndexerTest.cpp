#include "core/scan/FileIndexer.h"

#include "core/base/PlatformError.h"
#include "core/localisation/ErrorText.h"
#include "core/platform/OpenFilesLimit.h"
#include "core/scan/FolderWalk.h"
#include "core/scan/LoweredOpenFiles.h"
#include "support/ScanOutcome.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

using test::drain;
using test::TempDir;
using test::unpaused;

test::ScanOutcome scanAll(const std::string& root, bool showHidden = true,
                          std::int64_t minimumSize = 0)
{
    ScanCursor cursor = FileIndexer::scan({root}, showHidden, minimumSize, unpaused());
    return drain(cursor);
}

void makeFolderAt(int parentFd, const std::string& name)
{
    ASSERT_EQ(::mkdirat(parentFd, name.c_str(), 0755), 0) << std::strerror(errno);
}

void writeFileAt(int folderFd, const std::string& name)
{
    const int fd = ::openat(folderFd, name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    ::close(fd);
}

TEST(FileIndexer, NeverFollowsLinksAndPrunesWhatIsNotTheUsersToSort)
{
    const TempDir dir;
    const std::string root = dir.makeFolder("root");
    dir.write("outside/a.txt", "a");
    dir.write("outside/b.txt", "b");
    std::filesystem::create_directory_symlink(dir / "outside", dir / "root/linked");
    std::filesystem::create_symlink(dir / "outside/a.txt", dir / "root/a-link.txt");
    for (const char* pruned :
         {"Library/Caches/x.bin", ".git/objects/ab/cd", ".Trash-1000/files/old.txt", "sub/.ssh/id",
          "Photos.PhotosLibrary/originals/1.jpg", "Tool.app/Contents/MacOS/tool",
          "Report.rtfd/TXT.rtf", "song.band", "sub/Cut.fcpbundle/media.mov"}) {
        dir.write(std::string("root/") + pruned, "x");
    }
    ASSERT_EQ(::mkfifo((dir / "root/pipe").c_str(), 0644), 0);
    const std::set<std::string> kept{
        dir.write("root/keep.txt", "k"), dir.write("root/sub/deep/deeper.txt", "d"),
        dir.write("root/notes.app", "a regular file, not a bundle"),
        dir.write("root/.Trash-x/kept.txt", "not a trash name"), dir.write("root/.profile", "p")};

    const auto outcome = scanAll(root);
    EXPECT_EQ(outcome.paths.size(), kept.size());
    EXPECT_EQ(outcome.pathSet(), kept);
    EXPECT_TRUE(outcome.issues.empty());
    EXPECT_TRUE(outcome.endsWithFinished);
}

TEST(FileIndexer, HiddenItemsOnlyWhenAskedAndTheMinimumSizeIsInclusive)
{
    const TempDir dir;
    const std::string empty = dir.write("empty.txt");
    const std::string below = dir.write("below.txt", std::string(99, 'b'));
    const std::string equal = dir.write("equal.txt", std::string(100, 'e'));
    const std::string above = dir.write("above.txt", std::string(101, 'a'));
    const std::string hidden = dir.write(".hidden.txt", std::string(500, 'h'));
    const std::string inHidden = dir.write(".config/app/settings.json", std::string(500, 's'));

    EXPECT_EQ(scanAll(dir.path(), false, 100).pathSet(), (std::set<std::string>{equal, above}));
    EXPECT_EQ(scanAll(dir.path(), true, 100).pathSet(),
              (std::set<std::string>{equal, above, hidden, inHidden}));
    EXPECT_EQ(scanAll(dir.path(), false, 0).pathSet(),
              (std::set<std::string>{empty, below, equal, above}));

    const auto records = scanAll(dir.path(), false, 101).batches;
    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records.front().size(), 1u);
    EXPECT_EQ(records.front().front().size(), 101);
}

TEST(FileIndexer, LeavesTheHomeTrashAlone)
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    ASSERT_NE(dataHome, nullptr);
    const std::string trash = std::string(dataHome) + "/Trash";
    const std::string thrown = trash + "/files/thrown-away.txt";
    const std::string scanned = std::string(dataHome) + "/notes-for-scan/kept.txt";
    for (const std::string& path : {thrown, scanned}) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "x";
    }

    const auto found = scanAll(dataHome).pathSet();
    EXPECT_TRUE(found.contains(scanned));
    for (const std::string& path : found) {
        EXPECT_FALSE(path.starts_with(trash + "/")) << path;
    }
    std::filesystem::remove(thrown);
    std::filesystem::remove_all(std::filesystem::path(scanned).parent_path());
}

TEST(FileIndexer, NamesThatAreNotUtf8AreSkippedSilentlyAndNeverEntered)
{
    const TempDir dir;
    const std::string good = dir.write("good.txt", "g");
    dir.write("bad\xff.txt", "x");
    dir.write("folder\xfe\xfd/inside.txt", "x");
    dir.write("ok/also\xc3(.txt", "x");

    std::vector<std::string> opened;
    ScanOptions options = unpaused();
    options.folderOpener = [&opened](int parentFd, const char* name) {
        opened.emplace_back(name);
        return ScanOptions::openFolder(parentFd, name);
    };
    ScanCursor cursor = FileIndexer::scan({dir.path()}, false, 0, options);
    const auto outcome = drain(cursor);
    EXPECT_EQ(outcome.pathSet(), std::set<std::string>{good});
    EXPECT_TRUE(outcome.issues.empty());
    EXPECT_EQ(opened, (std::vector<std::string>{dir.path(), "ok"}));
}

// Paths longer than the system's limit cannot be used by later work, so they are reported
// instead of recorded. The tree is built relative to descriptors, since no call takes such a
// path whole.
TEST(FileIndexer, PathsTooLongToUseAreReportedAndNeverEntered)
{
    const TempDir dir;
    std::string folder = dir.path();
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const std::string segment(200, 'd');
    // Deep enough that a file name of at most 255 bytes ends exactly at the limit.
    while (4094 - folder.size() > 255) {
        makeFolderAt(fd, segment);
        const int child = ::openat(fd, segment.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        ASSERT_GE(child, 0);
        fd = child;
        folder += "/" + segment;
    }
    const std::size_t fitting = 4095 - folder.size() - 1;
    const std::string longest(fitting, 'f');
    const std::string tooLong(fitting + 1, 'g');
    const std::string tooLongFolder(fitting + 1, 'h');
    writeFileAt(fd, longest);
    writeFileAt(fd, tooLong);
    makeFolderAt(fd, tooLongFolder);
    const int inner = ::openat(fd, tooLongFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(inner, 0);
    writeFileAt(inner, "x");
    ::close(inner);
    ::close(fd);

    const auto outcome = scanAll(dir.path());
    ASSERT_EQ(outcome.paths.size(), 1u);
    EXPECT_EQ(outcome.paths.front(), folder + "/" + longest);
    EXPECT_EQ(outcome.paths.front().size(), 4095u);
    std::set<std::string> issues;
    for (const auto& issue : outcome.issues) {
        issues.insert(issue.text);
    }
    const std::string description = errorDescription(PlatformError(ENAMETOOLONG));
    EXPECT_EQ(issues, (std::set<std::string>{tooLong + " : " + description,
                                             tooLongFolder + " : " + description}));
    EXPECT_TRUE(outcome.endsWithFinished);
}

TEST(FileIndexer, ATreeDeeperThanTheOpenFilesLimitIsWalkedWhole)
{
    const TempDir dir;
    std::set<std::string> written;
    std::string folder = dir.path();
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    // Files before and after the deeper folder in any listing order, and a side folder left
    // for after the walk comes back up.
    for (int level = 0; level < 300; ++level) {
        for (const char* name : {"a.txt", "z.txt"}) {
            writeFileAt(fd, name);
            written.insert(folder + "/" + name);
        }
        makeFolderAt(fd, "s");
        const int side = ::openat(fd, "s", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(side, 0);
        writeFileAt(side, "f.txt");
        ::close(side);
        written.insert(folder + "/s/f.txt");
        makeFolderAt(fd, "d");
        const int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        ASSERT_GE(child, 0);
        fd = child;
        folder += "/d";
    }
    ::close(fd);

    const test::LoweredOpenFiles limit(128);
    const auto outcome = scanAll(dir.path());
    EXPECT_EQ(outcome.pathSet(), written);
    EXPECT_TRUE(outcome.issues.empty()) << outcome.issues.front().text;
    EXPECT_TRUE(outcome.endsWithFinished);

    EXPECT_EQ(OpenFilesLimit::raise(), limit.hard());
    rlimit raised{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &raised), 0);
    EXPECT_EQ(raised.rlim_cur, limit.hard());
}

TEST(FileIndexer, AClosedFolderReplacedDuringTheWalkIsReportedNotTakenForTheSame)
{
    const TempDir dir;
    // Two chains deeper than the open folders a walk keeps: while it is down the first, "mark"
    // is closed with the second still to be walked, and is reopened by name on the way back.
    std::string levels = "d";
    for (std::size_t level = 1; level < FolderWalk::openLevels + 5; ++level) {
        levels += "/d";
    }
    const std::set<std::string> first{dir.write("mark/one/" + levels + "/f.txt")};
    const std::set<std::string> second{dir.write("mark/two/" + levels + "/f.txt")};
    const std::string kept = dir.write("keep.txt");
    // Helpers would open "mark" once, ahead, and never reopen it by name.
    ScanOptions options = unpaused();
    options.walkerThreads = 1;
    int opened = 0;
    options.folderOpener = [&](int parentFd, const char* name) {
        if (std::string_view(name) == "mark" && ++opened == 2) {
            std::filesystem::rename(dir / "mark", dir / "moved");
            dir.write("mark/planted.txt");
        }
        return ScanOptions::openFolder(parentFd, name);
    };
    ScanCursor cursor = FileIndexer::scan({dir.path()}, false, 0, options);
    const auto outcome = drain(cursor);

    std::set<std::string> found = outcome.pathSet();
    EXPECT_EQ(found.erase(kept), 1u);
    EXPECT_TRUE(found == first || found == second) << found.size() << " files found";
    EXPECT_EQ(outcome.issues, (std::vector<ScanEvent::Issue>{
                                  {"mark : " + errorDescription(PlatformError(ENOENT)), 1}}));
    EXPECT_TRUE(outcome.endsWithFinished);
}

// Runs in a child with a mount namespace of its own; answers what the scan saw, or 77 when the
// machine does not let it mount.
int scanWithBindMounts(const std::string& root, const std::string& loopSource,
                       const std::string& loopTarget, const std::string& siblingSource,
                       const std::string& siblingTarget)
{
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount(loopSource.c_str(), loopTarget.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(siblingSource.c_str(), siblingTarget.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        return 77;
    }
    // A walk that loops would go on until its paths grew too long: thousands of records.
    ::alarm(120);
    const auto outcome = scanAll(root);
    const bool expected = outcome.paths.size() == 2 && outcome.issues.empty() &&
                          outcome.endsWithFinished &&
                          outcome.pathSet().contains(loopSource + "/file.txt") &&
                          outcome.pathSet().contains(siblingTarget + "/file.txt");
    return expected ? 0 : 1;
}

TEST(FileIndexer, AFolderMountedInsideItselfIsWalkedOnceAndOtherMountsAreEntered)
{
    const TempDir dir;
    const std::string root = dir.makeFolder("root");
    const std::string loop = dir.makeFolder("root/a");
    dir.write("root/a/file.txt", "x");
    const std::string loopTarget = dir.makeFolder("root/a/inner");
    const std::string sibling = dir.makeFolder("root/copy");

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::_exit(scanWithBindMounts(root, loop, loopTarget, loop, sibling));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the scan in the child did not end";
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "this machine refuses a private mount namespace or bind mounts";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the walk entered a folder on its own descent path, or "
                                         "missed a mounted folder elsewhere";
}

} // namespace
} // namespace tollenvane
