#include "core/platform/FileMover.h"

#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/base/FileSync.h"
#include "core/base/PlatformError.h"
#include "support/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

using test::entries;

using test::fileErrorOf;
using test::platformErrorOf;

namespace fs = std::filesystem;

struct stat lstatOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status;
}

// Everything a move must keep, item by item: type, mode, modification time, content or link.
std::map<std::string, std::string> snapshot(const std::string& root)
{
    std::map<std::string, std::string> items;
    const auto describe = [](const std::string& path) {
        const struct stat status = lstatOf(path);
        if (S_ISLNK(status.st_mode)) {
            return "link " + fs::read_symlink(path).string();
        }
        std::string text = std::to_string(status.st_mode) + " " +
                           std::to_string(status.st_mtim.tv_sec) + "." +
                           std::to_string(status.st_mtim.tv_nsec);
        return S_ISREG(status.st_mode) ? text + " " + test::readFile(path) : text;
    };
    items[""] = describe(root);
    if (fs::is_directory(fs::symlink_status(root))) {
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            items[entry.path().lexically_relative(root).string()] = describe(entry.path().string());
        }
    }
    return items;
}

int realRename(const std::string& source, const std::string& target)
{
    return ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0
               ? 0
               : errno;
}

// A mover that finds every folder on a disk of its own, as a move to an external disk does.
FileMover::Hooks
acrossDisks(std::function<void(FileMover::Stage, std::string_view)> checkpoint = {})
{
    return {[](const std::string& from, const std::string& to) {
                return fs::path(from).parent_path() != fs::path(to).parent_path()
                           ? EXDEV
                           : realRename(from, to);
            },
            std::move(checkpoint)};
}

// A bundle with what a copy may get wrong: nested folders, modes, times, an empty folder and
// links that must stay links (relative, absolute to outside, dangling).
std::string makeBundle(const test::TempDir& dir, const std::string& outsideFile)
{
    const std::string bundle = dir.makeFolder("Tool.app");
    dir.write("Tool.app/Contents/Info.plist", "<plist/>");
    const std::string tool = dir.write("Tool.app/Contents/MacOS/tool", std::string(300000, 'x'));
    EXPECT_EQ(::chmod(tool.c_str(), 0750), 0);
    dir.makeFolder("Tool.app/Contents/Resources/empty");
    EXPECT_EQ(::symlink("Contents", (dir / "Tool.app/Current").c_str()), 0);
    EXPECT_EQ(::symlink(outsideFile.c_str(), (dir / "Tool.app/outside").c_str()), 0);
    EXPECT_EQ(::symlink("gone", (dir / "Tool.app/dangling").c_str()), 0);
    EXPECT_EQ(::chmod((dir / "Tool.app/Contents/Resources").c_str(), 0705), 0);
    test::setModified(tool, 1600000000, 123456789);
    test::setModified(dir / "Tool.app/Contents/MacOS", 1500000000, 5);
    test::setModified(bundle, 1400000000, 7);
    return bundle;
}

TEST(FileMover, RenamesWithoutEverReplacingAlsoWhereTheFileSystemLacksNoReplace)
{
    int calls = 0;
    const FileMover lacking(
        FileMover::Hooks{.renameNoReplace = [&calls](const std::string&, const std::string&) {
            ++calls;
            return EINVAL;
        }});
    for (const FileMover* mover : {&FileMover::system(), &lacking}) {
        const test::TempDir dir;
        const std::string source = dir.write("a.txt", "mine");
        const ino_t inode = lstatOf(source).st_ino;
        mover->moveNoReplace(source, dir / "b.txt");
        EXPECT_EQ(lstatOf(dir / "b.txt").st_ino, inode);
        EXPECT_FALSE(fs::exists(source));

        const std::string other = dir.write("c.txt", "theirs");
        EXPECT_EQ(fileErrorOf([&] { mover->moveNoReplace(dir / "b.txt", other); }),
                  FileError::collision);
        EXPECT_EQ(fileErrorOf([&] { mover->renameNoReplace(dir / "b.txt", other); }),
                  FileError::collision);
        ASSERT_EQ(::symlink("nowhere", (dir / "dangling").c_str()), 0);
        EXPECT_EQ(fileErrorOf([&] { mover->moveNoReplace(dir / "b.txt", dir / "dangling"); }),
                  FileError::collision);
        dir.write("folder/inner.txt", "inside");
        dir.makeFolder("empty");
        EXPECT_EQ(fileErrorOf([&] { mover->moveNoReplace(dir / "folder", dir / "empty"); }),
                  FileError::collision);
        EXPECT_EQ(platformErrorOf([&] { mover->moveNoReplace(dir / "missing", dir / "x"); }),
                  ENOENT);
        mover->moveNoReplace(dir / "folder", dir / "moved");

        EXPECT_EQ(test::readFile(dir / "b.txt"), "mine");
        EXPECT_EQ(test::readFile(other), "theirs");
        EXPECT_EQ(fs::read_symlink(dir / "dangling"), "nowhere");
        EXPECT_EQ(test::readFile(dir / "moved/inner.txt"), "inside");
        EXPECT_TRUE(fs::is_empty(dir / "empty"));
    }
    EXPECT_EQ(calls, 7);
}

TEST(FileMover, CopiesToAnotherDiskWithModesTimesAttributesAndLinksAsLinks)
{
    const test::TempDir dir;
    const std::string outside = dir.write("outside.txt", "not to be copied");
    const std::string bundle = makeBundle(dir, outside);
    const auto before = snapshot(bundle);
    std::string content;
    for (int i = 0; i < 400000; ++i) {
        content += static_cast<char>('a' + i % 23);
    }
    const std::string source = dir.write("photo.jpg", content);
    ASSERT_EQ(::chmod(source.c_str(), 0640), 0);
    const bool withAttribute = ::setxattr(source.c_str(), "user.tollenvane", "kept", 4, 0) == 0;
    const struct timespec times[2] = {{1500000000, 111}, {1600000000, 222}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
    const std::string target = dir / "to/photo.jpg";
    const FileMover mover(acrossDisks());

    dir.write("to/taken.jpg", "theirs");
    EXPECT_EQ(fileErrorOf([&] { mover.moveNoReplace(source, dir / "to/taken.jpg"); }),
              FileError::collision);
    mover.moveNoReplace(source, target);
    mover.moveNoReplace(bundle, dir / "to/Tool.app");

    const struct stat copy = lstatOf(target); // before reading it changes its access time
    EXPECT_EQ(test::readFile(target), content);
    EXPECT_EQ(copy.st_mode & 07777, 0640u);
    EXPECT_EQ(copy.st_atim.tv_sec, 1500000000);
    EXPECT_EQ(copy.st_atim.tv_nsec, 111);
    EXPECT_EQ(copy.st_mtim.tv_sec, 1600000000);
    EXPECT_EQ(copy.st_mtim.tv_nsec, 222);
    if (withAttribute) {
        std::string value(8, '\0');
        EXPECT_EQ(::getxattr(target.c_str(), "user.tollenvane", value.data(), value.size()), 4);
        EXPECT_EQ(value.substr(0, 4), "kept");
    }
    EXPECT_EQ(snapshot(dir / "to/Tool.app"), before);
    EXPECT_FALSE(fs::exists(source));
    EXPECT_FALSE(fs::exists(fs::symlink_status(bundle)));
    EXPECT_EQ(test::readFile(outside), "not to be copied");
    EXPECT_EQ(test::readFile(dir / "to/taken.jpg"), "theirs");
    EXPECT_EQ(entries(dir / "to"),
              (std::vector<std::string>{"Tool.app", "photo.jpg", "taken.jpg"}));
}

// A bundle of three files, copied to "to" across a simulated disk boundary.
class FailingMoveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("Tool.app/a.txt", "a");
        dir.write("Tool.app/b.txt", "b");
        dir.write("Tool.app/c/d.txt", std::string(200000, 'd'));
        dir.makeFolder("to");
        before = snapshot(source);
    }

    void expectUntouched() const
    {
        EXPECT_EQ(snapshot(source), before);
        EXPECT_TRUE(fs::is_empty(dir / "to")) << "a copy was left behind";
    }

    const test::TempDir dir;
    const std::string source = dir / "Tool.app";
    const std::string target = dir / "to/Tool.app";
    std::map<std::string, std::string> before;
};

TEST_F(FailingMoveTest, AFailureMidCopyLeavesTheSourceWholeAndNoCopy)
{
    const FileMover failing(acrossDisks([](FileMover::Stage stage, std::string_view name) {
        if (stage == FileMover::Stage::copying && name == "c") {
            throw PlatformError(EIO, "test");
        }
    }));
    EXPECT_EQ(platformErrorOf([&] { failing.moveNoReplace(source, target); }), EIO);
    expectUntouched();

    std::stop_source stop;
    const FileMover cancelled(acrossDisks([&stop](FileMover::Stage, std::string_view name) {
        if (name == "b.txt") {
            stop.request_stop();
        }
    }));
    EXPECT_THROW(cancelled.moveNoReplace(source, target, stop.get_token()), Cancelled);
    expectUntouched();

    // A disk that fills up in the middle of a file: writes past the limit fail with EFBIG.
    const FileMover mover(acrossDisks());
    {
        const test::FileSizeLimit limit(65536);
        EXPECT_EQ(platformErrorOf([&] { mover.moveNoReplace(source, target); }), EFBIG);
    }
    expectUntouched();

    ASSERT_EQ(::mkfifo((source + "/pipe").c_str(), 0600), 0);
    before = snapshot(source);
    EXPECT_EQ(fileErrorOf([&] { mover.moveNoReplace(source, target); }), FileError::unsupported);
    expectUntouched();
}

TEST_F(FailingMoveTest, ASourceChangedDuringTheCopyIsKeptAndTheCopyDropped)
{
    const auto writeDuringCopy = [this](std::string_view when, std::string_view file) {
        return FileMover(acrossDisks([=, this](FileMover::Stage, std::string_view name) {
            if (name == when) {
                dir.write("Tool.app/" + std::string(file), "changed");
            }
        }));
    };
    const auto expectChanged = [this](const FileMover& mover) {
        EXPECT_EQ(fileErrorOf([&] { mover.moveNoReplace(source, target); }), FileError::changed);
        EXPECT_TRUE(fs::is_empty(dir / "to"));
    };
    expectChanged(writeDuringCopy("c", "a.txt")); // already copied
    EXPECT_EQ(test::readFile(source + "/a.txt"), "changed");
    expectChanged(writeDuringCopy("c", "new.txt")); // added next to what was copied
    EXPECT_EQ(test::readFile(source + "/new.txt"), "changed");
    EXPECT_EQ(test::readFile(source + "/c/d.txt"), std::string(200000, 'd'));
}

TEST_F(FailingMoveTest, ATargetTakenDuringTheCopyIsNeverReplaced)
{
    const FileMover mover(acrossDisks([this](FileMover::Stage, std::string_view name) {
        if (name == "d.txt") {
            dir.write("to/Tool.app", "someone else's");
        }
    }));
    EXPECT_EQ(fileErrorOf([&] { mover.moveNoReplace(source, target); }), FileError::collision);
    EXPECT_EQ(test::readFile(target), "someone else's");
    EXPECT_EQ(entries(dir / "to"), std::vector<std::string>{"Tool.app"});
    EXPECT_EQ(snapshot(source), before);
}

TEST_F(FailingMoveTest, WhenTheSourceCannotBeRemovedOneWholeCopyRemains)
{
    const auto failingAt = [this](std::string_view failing) {
        return FileMover(acrossDisks([=](FileMover::Stage stage, std::string_view name) {
            if (stage == FileMover::Stage::removingSource && name == failing) {
                throw PlatformError(EIO, "test");
            }
        }));
    };
    // Nothing removed yet: the copy goes and the source stays whole.
    EXPECT_EQ(platformErrorOf([&] { failingAt("a.txt").moveNoReplace(source, target); }), EIO);
    expectUntouched();

    // Part of the source gone: the complete copy is the one left, and the failure is reported.
    EXPECT_EQ(platformErrorOf([&] { failingAt("b.txt").moveNoReplace(source, target); }), EIO);
    EXPECT_EQ(snapshot(target), before);
    EXPECT_FALSE(fs::exists(source + "/a.txt"));
    EXPECT_TRUE(fs::exists(source + "/b.txt"));

    const std::string file = dir.write("single.txt", "one");
    EXPECT_EQ(platformErrorOf([&] { failingAt("single.txt").moveNoReplace(file, dir / "to/x"); }),
              EIO);
    EXPECT_EQ(test::readFile(file), "one");
    EXPECT_FALSE(fs::exists(dir / "to/x"));
}

// Syncs that pass before each one fails with EIO, so that a copy breaks part way.
std::atomic<int> syncsBeforeFailure{0};

int syncFailingPartWay(int fd)
{
    if (syncsBeforeFailure.fetch_sub(1) <= 0) {
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

// The build tree's disk and a second, real file system.
class BetweenDisksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string whyNot;
        scratch = test::ScratchFileSystem::mount(whyNot);
        if (!scratch) {
            GTEST_SKIP() << "no second file system on this machine: " << whyNot;
        }
    }

    const test::TempDir dir;
    std::unique_ptr<test::ScratchFileSystem> scratch;
};

TEST_F(BetweenDisksTest, MovesAndMovesBack)
{
    const std::string outside = dir.write("outside.txt", "stays");
    const std::string bundle = makeBundle(dir, outside);
    const auto before = snapshot(bundle);
    const std::string file = dir.write("photo.jpg", "pixels");
    const FileMover& mover = FileMover::system();

    mover.moveNoReplace(bundle, *scratch / "Tool.app");
    mover.moveNoReplace(file, *scratch / "photo.jpg");
    EXPECT_EQ(snapshot(*scratch / "Tool.app"), before);
    EXPECT_EQ(test::readFile(*scratch / "photo.jpg"), "pixels");
    EXPECT_FALSE(fs::exists(fs::symlink_status(bundle)));
    EXPECT_FALSE(fs::exists(file));

    mover.moveNoReplace(*scratch / "Tool.app", bundle);
    EXPECT_EQ(snapshot(bundle), before);
    EXPECT_EQ(entries(scratch->path()), std::vector<std::string>{"photo.jpg"});

    // A source on a read-only disk could not be removed afterwards: it is not even copied.
    scratch->makeReadOnly();
    EXPECT_EQ(platformErrorOf([&] { mover.moveNoReplace(*scratch / "photo.jpg", file); }), EROFS);
    EXPECT_EQ(test::readFile(*scratch / "photo.jpg"), "pixels");
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(BetweenDisksTest, AFailedSyncOfTheCopyLeavesTheSourceAndNoCopy)
{
    const std::string bundle = makeBundle(dir, dir.write("outside.txt"));
    const std::string file = dir.write("photo.jpg", "pixels");
    const auto before = snapshot(bundle);
    const FileSync::Override failing(&syncFailingPartWay);
    for (const int passing : {0, 3}) {
        syncsBeforeFailure = passing;
        EXPECT_EQ(platformErrorOf(
                      [&] { FileMover::system().moveNoReplace(bundle, *scratch / "Tool.app"); }),
                  EIO);
    }
    syncsBeforeFailure = 0;
    EXPECT_EQ(
        platformErrorOf([&] { FileMover::system().moveNoReplace(file, *scratch / "photo.jpg"); }),
        EIO);
    EXPECT_EQ(snapshot(bundle), before);
    EXPECT_EQ(test::readFile(file), "pixels");
    EXPECT_EQ(entries(scratch->path()), std::vector<std::string>{});
}

TEST_F(BetweenDisksTest, AFolderWithAMountInsideIsRefusedAndLeftWhole)
{
    const std::string source = dir.makeFolder("Folder");
    dir.write("Folder/a.txt", "a");
    dir.write("Folder/z.txt", "z");
    const std::string inner = dir.makeFolder("Folder/inner");
    dir.write("elsewhere/shown.txt", "shown");
    const auto expectRefused = [&] {
        const auto before = snapshot(source);
        EXPECT_EQ(
            fileErrorOf([&] { FileMover::system().moveNoReplace(source, *scratch / "Folder"); }),
            FileError::unsupported);
        EXPECT_EQ(snapshot(source), before);
        EXPECT_EQ(entries(scratch->path()), std::vector<std::string>{});
    };
    {
        const test::Mount disk("tmpfs", inner, "tmpfs", 0);
        ASSERT_TRUE(disk.mounted()) << std::strerror(disk.error());
        dir.write("Folder/inner/own.txt", "on a disk of its own");
        expectRefused();
    }
    {
        // The same disk shown a second time: its items live elsewhere and stay there.
        const test::Mount bound(dir / "elsewhere", inner, nullptr, MS_BIND);
        ASSERT_TRUE(bound.mounted()) << std::strerror(bound.error());
        if (!FileStatus::read(inner).mountRoot) {
            GTEST_SKIP() << "this kernel does not mark the root of a mount";
        }
        expectRefused();
    }
    EXPECT_EQ(test::readFile(dir / "elsewhere/shown.txt"), "shown");
    EXPECT_EQ(entries(inner), std::vector<std::string>{});
}

} // namespace
} // namespace tollenvane
