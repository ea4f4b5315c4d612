#include "core/operations/FileOperations.h"

#include "core/applications/ApplicationInventory.h"
#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/base/PlatformError.h"
#include "core/duplicates/DuplicateFinder.h"
#include "core/platform/CloudStatus.h"
#include "core/platform/FileMetadata.h"
#include "core/platform/FileMover.h"
#include "core/platform/FreedesktopTrash.h"
#include "core/platform/TypeLookup.h"
#include "support/Errors.h"
#include "support/RunningTool.h"
#include "support/ScratchFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::entries;
using test::fileErrorOf;
using test::platformErrorOf;

// Touches only the status time, as a chmod or a rename does. The kernel stamps it with a coarse
// clock, so the change is repeated until the stamp really differs.
void changeStatusTime(const std::string& path)
{
    const FileStatus before = FileStatus::read(path);
    for (int attempt = 0; attempt < 10'000; ++attempt) {
        ASSERT_EQ(::chmod(path.c_str(), before.mode & 07777), 0);
        if (FileStatus::read(path).changed != before.changed) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    FAIL() << "the status time of " << path << " never changed";
}

std::string makeBundle(const test::TempDir& dir, const std::string& name)
{
    dir.write(name + "/Contents/Info.plist", "<plist/>");
    dir.write(name + "/Contents/bin/tool", std::string(5000, 'x'));
    dir.write(name + "/Contents/Resources/icon.png", "icon");
    return dir / name;
}

std::string infoFileOf(const std::string& itemInTrash)
{
    const fs::path item(itemInTrash);
    return (item.parent_path().parent_path() / "info" / item.filename()).string() + ".trashinfo";
}

// Files as a cloud drive or a failing disk would show them; every other file as the system does.
class TestCloud final : public CloudStatus {
public:
    std::set<std::string> notDownloaded;
    std::set<std::string> unreadable;

    std::optional<bool> isDownloaded(const std::string& path) const override
    {
        if (unreadable.contains(path)) {
            throw PlatformError(EIO, "test");
        }
        return notDownloaded.contains(path) ? std::optional(false) : std::nullopt;
    }
};

// A trash that does its work but cannot say where the item went.
class SilentTrash final : public FreedesktopTrash {
public:
    std::string trash(const std::string& path) const override
    {
        (void)FreedesktopTrash::trash(path);
        return {};
    }
};

class FileOperationsTest : public ::testing::Test {
protected:
    // Moves a new file, dated to the second, from `relative` into the "dest" folder.
    OperationReceipt moveOut(const std::string& relative, const std::string& content = "mine")
    {
        const std::string path = dir.write(relative, content);
        test::setModified(path, 1'600'000'000);
        return operations.perform(Decision::move, FileRecord::read(path), dest);
    }

    const test::TempDir dir;
    const std::string dest = dir.makeFolder("dest");
    TestCloud cloud;
    const FileRecord::Environment environment{TypeLookup::system(), FileMetadata::system(), cloud};
    const FreedesktopTrash trash;
    FileOperations operations{trash, FileMover::system(), environment};
};

TEST_F(FileOperationsTest, RefusesALinkOnThePathBeforeAnyOtherCheck)
{
    const std::string real = dir.write("real/a.txt", "a");
    fs::create_symlink(dir / "real", dir / "linked");
    const FileRecord throughLink = FileRecord::read(dir / "linked/a.txt");
    test::setModified(real, 1'500'000'000); // stale as well: the link still comes first
    for (const Decision decision : allDecisions) {
        EXPECT_EQ(fileErrorOf([&] { operations.perform(decision, throughLink, dir.path()); }),
                  FileError::unsafeSource);
    }

    const FileRecord swapped = FileRecord::read(dir.write("b.txt", "b"));
    fs::rename(dir / "b.txt", dir / "b-real.txt");
    fs::create_symlink("b-real.txt", dir / "b.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::trash, swapped); }),
              FileError::unsafeSource);

    const FileRecord gone = FileRecord::read(dir.write("c.txt", "c"));
    fs::remove(dir / "c.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::keep, gone); }), FileError::missing);
    fs::create_symlink("nowhere", dir / "c.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::trash, gone); }), FileError::missing);

    EXPECT_EQ(test::readFile(real), "a");
    EXPECT_EQ(test::readFile(dir / "b.txt"), "b");
}

TEST_F(FileOperationsTest, ChecksTheFolderAndTheFileAgainForEveryDecision)
{
    const FileRecord hidden = FileRecord::read(dir.write("Library/a.txt", "a"));
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::keep, hidden); }),
              FileError::unsafeSource);
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::trash, hidden); }),
              FileError::unsafeSource);
    // Leaving an application in place needs no check of where it lies.
    const FileRecord tool = FileRecord::read(makeBundle(dir, "Library/Tool.app"));
    EXPECT_NO_THROW(operations.perform(Decision::later, tool));
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::trash, tool); }),
              FileError::unsafeSource);

    const std::string path = dir.write("photo.jpg", "photo");
    const FileRecord scanned = FileRecord::read(path);
    test::setModified(path, 1'500'000'000);
    for (const Decision decision : allDecisions) {
        EXPECT_EQ(fileErrorOf([&] { operations.perform(decision, scanned, dest); }),
                  FileError::changed);
    }

    const FileRecord folderNow = FileRecord::read(dir.write("d.txt", "d"));
    fs::remove(dir / "d.txt");
    dir.makeFolder("d.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::keep, folderNow); }),
              FileError::unsupported);

    const std::string cloudPath = dir.write("cloud.pdf", "not here");
    const FileRecord cloudFile = FileRecord::read(cloudPath);
    cloud.notDownloaded.insert(cloudPath);
    const OperationReceipt kept = operations.perform(Decision::keep, cloudFile);
    EXPECT_EQ(kept, (OperationReceipt{cloudFile, Decision::keep, {}, {}, {}}));
    EXPECT_NO_THROW(operations.perform(Decision::later, cloudFile));
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::trash, cloudFile); }),
              FileError::offline);
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::move, cloudFile, dest); }),
              FileError::offline);

    EXPECT_EQ(test::readFile(cloudPath), "not here");
    EXPECT_EQ(test::readFile(dir / "Library/a.txt"), "a");
    EXPECT_TRUE(entries(dest).empty());
}

TEST_F(FileOperationsTest, TakesAnUndoDigestOfSmallPlainFilesOnly)
{
    const auto digestOfMove = [&](const std::string& path) {
        const OperationReceipt receipt =
            operations.perform(Decision::move, FileRecord::read(path), dest);
        EXPECT_TRUE(receipt.canUndo());
        return receipt.undoDigest;
    };
    const std::string limit = dir.write("limit.bin");
    fs::resize_file(limit, FileOperations::undoDigestLimit);
    const std::string over = dir.write("over.bin");
    fs::resize_file(over, FileOperations::undoDigestLimit + 1);

    const auto limitDigest = digestOfMove(limit);
    EXPECT_EQ(limitDigest, DuplicateFinder::digest(FileRecord::read(dest + "/limit.bin")));
    EXPECT_EQ(digestOfMove(over), std::nullopt);
    EXPECT_EQ(digestOfMove(makeBundle(dir, "Tool.app")), std::nullopt);
    // A plain file named like an application is one too.
    EXPECT_EQ(digestOfMove(dir.write("notes.app", "notes")), std::nullopt);
}

TEST_F(FileOperationsTest, RefusesAMoveThatGoesNowhere)
{
    const std::string path = dir.write("src/a.txt", "a");
    const FileRecord file = FileRecord::read(path);
    dir.write("dest/a.txt", "other");
    fs::create_symlink("nowhere", dir.makeFolder("dangling") + "/a.txt");
    fs::create_symlink(dir / "src", dir / "src-link");
    dir.makeFolder(".git");
    dir.write("plain.txt");
    const std::vector<std::pair<std::optional<std::string>, FileError::Case>> refusals{
        {std::nullopt, FileError::invalidDestination},
        {dir / ".git", FileError::unsafeSource},
        {dir / "absent", FileError::invalidDestination},
        {dir / "plain.txt", FileError::invalidDestination},
        {"src", FileError::invalidDestination},
        {dir / "src", FileError::invalidDestination},
        {dir / "src-link", FileError::invalidDestination},
        {dir / "dest", FileError::collision},
        {dir / "dangling", FileError::collision},
    };
    for (const auto& [destination, refusal] : refusals) {
        EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::move, file, destination); }),
                  refusal)
            << destination.value_or("none");
    }
    EXPECT_EQ(test::readFile(path), "a");
    EXPECT_EQ(test::readFile(dir / "dest/a.txt"), "other");
    EXPECT_EQ(fs::read_symlink(dir / "dangling/a.txt"), "nowhere");

    const std::string bundle = makeBundle(dir, "Tool.app");
    dir.makeFolder("Tool.app/Contents/Library");
    const FileRecord tool = FileRecord::read(bundle);
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::move, tool, bundle + "/Contents"); }),
              FileError::invalidDestination);
    // A folder refused anyway is refused for that reason first.
    EXPECT_EQ(fileErrorOf(
                  [&] { operations.perform(Decision::move, tool, bundle + "/Contents/Library"); }),
              FileError::unsafeSource);
    EXPECT_EQ(ApplicationInventory::snapshot(bundle).fingerprint, tool.packageFingerprint());
}

TEST_F(FileOperationsTest, MovesAndPutsBack)
{
    const std::string path = dir.write("src/photo.jpg", "pixels");
    const FileRecord file = FileRecord::read(path);
    fs::create_symlink(dest, dir / "dest-link");

    const OperationReceipt receipt = operations.perform(Decision::move, file, dir / "dest-link");
    const std::string moved = dir / "dest/photo.jpg";
    EXPECT_EQ(receipt.original, file);
    EXPECT_EQ(receipt.decision, Decision::move);
    EXPECT_EQ(receipt.resultingPath, moved);
    EXPECT_EQ(receipt.resultingRecord, FileRecord::read(moved));
    EXPECT_EQ(receipt.undoDigest, DuplicateFinder::digest(FileRecord::read(moved)));
    EXPECT_FALSE(fs::exists(path));

    const FileRecord restored = operations.undo(receipt);
    EXPECT_EQ(restored, FileRecord::read(path));
    EXPECT_TRUE(restored.sameFilesystemIdentity(file));

    // Put back even when the file cannot be read again afterwards.
    const OperationReceipt again = operations.perform(Decision::move, restored, dest);
    cloud.unreadable.insert(path);
    EXPECT_EQ(operations.undo(again), restored);
    EXPECT_EQ(test::readFile(path), "pixels");
    EXPECT_TRUE(entries(dest).empty());
}

TEST_F(FileOperationsTest, TrashesAndRestoresAlsoAfterARestart)
{
    const std::string content(100'000, 'p');
    const std::string path = dir.write("photo.jpg", content);
    const FileRecord file = FileRecord::read(path);

    const OperationReceipt receipt = operations.perform(Decision::trash, file);
    ASSERT_TRUE(receipt.resultingPath);
    const std::string inTrash = *receipt.resultingPath;
    EXPECT_EQ(fs::path(inTrash).parent_path(),
              fs::canonical(FreedesktopTrash::homeTrashFolder()) / "files");
    EXPECT_TRUE(fs::exists(infoFileOf(inTrash)));
    EXPECT_TRUE(receipt.canUndo());
    EXPECT_FALSE(fs::exists(path));

    const OperationReceipt decoded =
        OperationReceipt::fromJson(json::parse(json::dump(receipt.toJson())));
    FileOperations afterRestart;
    const FileRecord restored = afterRestart.undo(decoded);
    EXPECT_EQ(restored.path(), path);
    EXPECT_EQ(test::readFile(path), content);
    EXPECT_FALSE(fs::exists(inTrash));
    EXPECT_FALSE(fs::exists(infoFileOf(inTrash)));
}

TEST_F(FileOperationsTest, AResultThatCannotBeFoundGivesAReceiptWithoutUndo)
{
    const SilentTrash silent;
    FileOperations withSilentTrash{silent, FileMover::system()};
    const std::string path = dir.write("a.txt", "a");
    const OperationReceipt trashed =
        withSilentTrash.perform(Decision::trash, FileRecord::read(path));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(trashed.resultingPath, std::nullopt);
    EXPECT_EQ(trashed.resultingRecord, std::nullopt);
    EXPECT_FALSE(trashed.canUndo());
    EXPECT_EQ(fileErrorOf([&] { withSilentTrash.undo(trashed); }), FileError::missing);

    cloud.unreadable.insert(dest + "/b.txt");
    const OperationReceipt moved =
        operations.perform(Decision::move, FileRecord::read(dir.write("b.txt", "b")), dest);
    EXPECT_EQ(moved.resultingPath, dest + "/b.txt");
    EXPECT_EQ(moved.resultingRecord, std::nullopt);
    EXPECT_FALSE(moved.canUndo());
    EXPECT_EQ(test::readFile(dest + "/b.txt"), "b");
}

TEST_F(FileOperationsTest, UndoNeedsTheFileAndAFreePlaceInTheSameFolder)
{
    const OperationReceipt trashed =
        operations.perform(Decision::trash, FileRecord::read(dir.write("t.txt", "t")));
    fs::remove(*trashed.resultingPath);
    fs::remove(infoFileOf(*trashed.resultingPath));
    EXPECT_EQ(fileErrorOf([&] { operations.undo(trashed); }), FileError::missing);

    const OperationReceipt taken = moveOut("a.txt");
    dir.write("a.txt", "new");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(taken); }), FileError::collision);
    EXPECT_EQ(test::readFile(dir / "a.txt"), "new");
    fs::remove(dir / "a.txt");
    fs::create_symlink("nowhere", dir / "a.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(taken); }), FileError::collision);

    const OperationReceipt folderGone = moveOut("sub/b.txt");
    fs::remove_all(dir / "sub");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(folderGone); }), FileError::invalidDestination);
    dir.write("sub", "a file now");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(folderGone); }), FileError::invalidDestination);

    const OperationReceipt folderLinked = moveOut("old/c.txt");
    fs::rename(dir / "old", dir / "old-real");
    fs::create_symlink(dir / "old-real", dir / "old");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(folderLinked); }), FileError::unsafeSource);

    Json json = moveOut("d.txt").toJson();
    json["original"]["volumeUUID"] = "6F1C2B7E-0D5A-4C39-9E21-8B7A3D4C5E6F";
    const OperationReceipt otherDisk = OperationReceipt::fromJson(json);
    EXPECT_EQ(fileErrorOf([&] { operations.undo(otherDisk); }), FileError::invalidDestination);

    FileMover::Hooks failing;
    failing.renameNoReplace = [](const std::string&, const std::string&) { return EACCES; };
    const FileMover broken(failing);
    FileOperations withBrokenMover{trash, broken};
    const OperationReceipt stuck = moveOut("e.txt");
    EXPECT_EQ(platformErrorOf([&] { withBrokenMover.undo(stuck); }), EACCES);

    EXPECT_EQ(entries(dest),
              (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}));
    for (const std::string& name : entries(dest)) {
        EXPECT_EQ(test::readFile(dest + "/" + name), "mine");
    }
}

TEST_F(FileOperationsTest, UndoRecognisesTheSameFileAndNothingElse)
{
    // Only the status time changed, and the content is the same: the file is recognised.
    const OperationReceipt touched = moveOut("a.txt", "aaaa");
    changeStatusTime(dest + "/a.txt");
    EXPECT_EQ(operations.undo(touched).path(), dir / "a.txt");

    // Same inode, size and dates, other content: not the file that was moved.
    const OperationReceipt rewritten = moveOut("b.txt", "bbbb");
    dir.write("dest/b.txt", "BBBB");
    test::setModified(dest + "/b.txt", 1'600'000'000);
    changeStatusTime(dest + "/b.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(rewritten); }), FileError::changed);

    const OperationReceipt replaced = moveOut("c.txt", "cccc");
    dir.write("dest/c-new.txt", "cccc");
    fs::rename(dest + "/c-new.txt", dest + "/c.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(replaced); }), FileError::changed);

    // Without a digest, a change of the status time alone is enough to refuse.
    const std::string big = dir.write("big.bin");
    fs::resize_file(big, FileOperations::undoDigestLimit + 1);
    const OperationReceipt large = operations.perform(Decision::move, FileRecord::read(big), dest);
    changeStatusTime(dest + "/big.bin");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(large); }), FileError::changed);

    const OperationReceipt folderNow = moveOut("d.txt", "dddd");
    fs::remove(dest + "/d.txt");
    dir.makeFolder("dest/d.txt");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(folderNow); }), FileError::unsupported);

    OperationReceipt unrecorded = moveOut("e.txt", "eeee");
    unrecorded.resultingRecord.reset();
    EXPECT_EQ(fileErrorOf([&] { operations.undo(unrecorded); }), FileError::changed);

    const OperationReceipt viaLink = moveOut("f.txt", "ffff");
    fs::rename(dest, dir / "dest-real");
    fs::create_symlink(dir / "dest-real", dest);
    EXPECT_EQ(fileErrorOf([&] { operations.undo(viaLink); }), FileError::unsafeSource);

    EXPECT_EQ(entries(dir / "dest-real"),
              (std::vector<std::string>{"b.txt", "big.bin", "c.txt", "d.txt", "e.txt", "f.txt"}));
}

TEST_F(FileOperationsTest, UndoOfKeepAndLaterOnlyReadsTheFileAgain)
{
    const std::string path = dir.write("a.txt", "a");
    const OperationReceipt kept = operations.perform(Decision::keep, FileRecord::read(path));
    const OperationReceipt later = operations.perform(Decision::later, FileRecord::read(path));
    test::setModified(path, 1'500'000'000);
    EXPECT_EQ(operations.undo(kept), FileRecord::read(path));
    EXPECT_EQ(operations.undo(later), FileRecord::read(path));

    // A keep never moved anything, whatever the receipt says.
    const std::string elsewhere = dir.write("b.txt", "b");
    OperationReceipt claimed = kept;
    claimed.resultingPath = elsewhere;
    claimed.resultingRecord = FileRecord::read(elsewhere);
    EXPECT_EQ(operations.undo(claimed), FileRecord::read(path));
    EXPECT_EQ(test::readFile(elsewhere), "b");

    fs::remove(path);
    EXPECT_EQ(platformErrorOf([&] { operations.undo(kept); }), ENOENT);
}

TEST_F(FileOperationsTest, TrashesAndRestoresApplicationsWithTheirFingerprint)
{
    const FileRecord first = FileRecord::read(makeBundle(dir, "a/Tool.app"));
    const FileRecord second = FileRecord::read(makeBundle(dir, "b/Tool.app"));
    ASSERT_EQ(first.kind(), FileKind::application);
    const OperationReceipt firstTrashed = operations.perform(Decision::trash, first);
    const OperationReceipt secondTrashed = operations.perform(Decision::trash, second);
    EXPECT_EQ(fs::path(*secondTrashed.resultingPath).extension(), ".app");
    for (const auto* receipt : {&firstTrashed, &secondTrashed}) {
        EXPECT_TRUE(receipt->canUndo());
        EXPECT_EQ(receipt->undoDigest, std::nullopt);
        EXPECT_EQ(receipt->resultingRecord->packageFingerprint(),
                  receipt->original.packageFingerprint());
    }

    // Rewritten inside, with the bundle's own size and dates unchanged.
    dir.write("other.bin", std::string(5000, 'y'));
    fs::rename(dir / "other.bin", *secondTrashed.resultingPath + "/Contents/bin/tool");
    EXPECT_EQ(fileErrorOf([&] { operations.undo(secondTrashed); }), FileError::changed);

    changeStatusTime(*firstTrashed.resultingPath);
    const FileRecord restored = operations.undo(firstTrashed);
    EXPECT_EQ(restored.path(), first.path());
    EXPECT_EQ(restored.packageFingerprint(), first.packageFingerprint());
    EXPECT_EQ(test::readFile(std::string(first.path()) + "/Contents/bin/tool"),
              std::string(5000, 'x'));
}

TEST_F(FileOperationsTest, NeverTrashesOrMovesARunningApplication)
{
    const std::string bundle = makeBundle(dir, "Tool.app");
    const std::string executable = bundle + "/Contents/bin/sleeper";
    fs::copy_file("/bin/sleep", executable);
    const test::RunningTool running(executable);
    if (!test::eventually([&] { return ApplicationInventory::isRunning(bundle); })) {
        GTEST_SKIP() << "the tool copied into the bundle could not be started";
    }
    const FileRecord tool = FileRecord::read(bundle);
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::trash, tool); }),
              FileError::runningApplication);
    EXPECT_EQ(fileErrorOf([&] { operations.perform(Decision::move, tool, dir.makeFolder("d")); }),
              FileError::runningApplication);
    EXPECT_NO_THROW(operations.perform(Decision::keep, tool));
    EXPECT_EQ(ApplicationInventory::snapshot(bundle).fingerprint, tool.packageFingerprint());
}

TEST_F(FileOperationsTest, MovesToAnotherDiskAndBack)
{
    std::string whyNot;
    const auto disk = test::ScratchFileSystem::mount(whyNot);
    if (!disk) {
        GTEST_SKIP() << "no second file system: " << whyNot;
    }
    const std::string path = dir.write("photo.jpg", std::string(300'000, 'p'));
    const FileRecord file = FileRecord::read(path);
    const OperationReceipt receipt = operations.perform(Decision::move, file, disk->path());
    EXPECT_EQ(receipt.resultingPath, *disk / "photo.jpg");
    EXPECT_NE(receipt.resultingRecord->device(), file.device());
    EXPECT_TRUE(receipt.undoDigest);
    EXPECT_FALSE(fs::exists(path));
    operations.undo(receipt);
    EXPECT_EQ(test::readFile(path), std::string(300'000, 'p'));
    EXPECT_TRUE(entries(disk->path()).empty());

    const std::string bundle = makeBundle(dir, "Tool.app");
    const FileRecord tool = FileRecord::read(bundle);
    const OperationReceipt moved = operations.perform(Decision::move, tool, disk->path());
    EXPECT_TRUE(moved.canUndo());
    EXPECT_EQ(operations.undo(moved).path(), bundle);
    EXPECT_TRUE(entries(disk->path()).empty());
}

TEST_F(FileOperationsTest, CreatesAFolderOnlyUnderAFreeUsableName)
{
    const std::string parent = dir.makeFolder("parent");
    for (const std::string& name :
         {std::string(), std::string("."), std::string(".."), std::string(".hidden"),
          std::string("a/b"), std::string("a:b"), std::string("a\0b", 3)}) {
        EXPECT_EQ(fileErrorOf([&] { operations.createFolder(name, parent); }),
                  FileError::invalidDestination)
            << name;
    }
    EXPECT_TRUE(entries(parent).empty());

    dir.makeFolder(".git");
    EXPECT_EQ(fileErrorOf([&] { operations.createFolder("New", dir / ".git"); }),
              FileError::unsafeSource);
    EXPECT_EQ(fileErrorOf([&] { operations.createFolder("New", dir / "absent"); }),
              FileError::invalidDestination);

    dir.write("parent/file", "keep me");
    dir.makeFolder("parent/folder");
    fs::create_symlink("nowhere", parent + "/dangling");
    for (const std::string name : {"file", "folder", "dangling"}) {
        EXPECT_EQ(fileErrorOf([&] { operations.createFolder(name, parent); }), FileError::collision)
            << name;
    }
    EXPECT_EQ(test::readFile(parent + "/file"), "keep me");
    EXPECT_EQ(platformErrorOf([&] { operations.createFolder(std::string(300, 'n'), parent); }),
              ENAMETOOLONG);

    const std::string created = operations.createFolder(" Photos 2024 ", parent + "/");
    EXPECT_EQ(created, parent + "/ Photos 2024 ");
    EXPECT_TRUE(fs::is_directory(created));
}

} // namespace
} // namespace tollenvane
