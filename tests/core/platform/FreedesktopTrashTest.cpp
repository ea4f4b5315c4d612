#include "core/platform/FreedesktopTrash.h"

#include "core/base/FileSync.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/Utf8.h"
#include "core/localisation/ErrorText.h"
#include "support/EnvironmentVariable.h"
#include "support/Errors.h"
#include "support/ScopedLanguage.h"
#include "support/ScratchFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

using test::entries;
using test::platformErrorOf;

namespace fs = std::filesystem;

// 2024-03-05 14:07:09 UTC; the tests run with TZ=UTC0.
constexpr std::time_t deletionTime = 1709647629;

int failingSync(int)
{
    errno = EIO;
    return -1;
}

// Each test gets a home trash of its own under $XDG_DATA_HOME, on the build tree's disk.
class FreedesktopTrashTest : public ::testing::Test {
protected:
    FreedesktopTrash makeTrash(const FileMover& mover = FileMover::system()) const
    {
        return FreedesktopTrash({.clock = [] { return deletionTime; }, .mover = &mover});
    }
    std::string home(std::string_view relative) const
    {
        return dir / ("data/Trash/" + std::string(relative));
    }
    std::string info(std::string_view name) const
    {
        return test::readFile(home("info/" + std::string(name) + ".trashinfo"));
    }

    const test::TempDir dir;
    const test::EnvironmentVariable data{"XDG_DATA_HOME", dir / "data"};
    const test::EnvironmentVariable zone{"TZ", "UTC0"};
};

TEST_F(FreedesktopTrashTest, TrashesIntoTheHomeTrashWithThePathEncodedAndTheLocalDate)
{
    ASSERT_TRUE(std::regex_match(dir.path(), std::regex("[A-Za-z0-9/._~-]+")))
        << "the expected text below assumes a plain temporary folder";
    const FreedesktopTrash trash = makeTrash();
    const std::string photo = dir.write("My Files/été 100%+#.jpg", "pixels");
    dir.write("Apps/Tool.app/Contents/Info.plist", "<plist/>");

    EXPECT_EQ(trash.trash(photo), home("files/été 100%+#.jpg"));
    EXPECT_EQ(trash.trash(dir / "Apps/Tool.app/"), home("files/Tool.app"));

    EXPECT_FALSE(fs::exists(photo));
    EXPECT_FALSE(fs::exists(dir / "Apps/Tool.app"));
    EXPECT_EQ(test::readFile(home("files/été 100%+#.jpg")), "pixels");
    EXPECT_EQ(test::readFile(home("files/Tool.app/Contents/Info.plist")), "<plist/>");
    EXPECT_EQ(info("été 100%+#.jpg"), "[Trash Info]\nPath=" + dir.path() +
                                          "/My%20Files/%C3%A9t%C3%A9%20100%25%2B%23.jpg\n"
                                          "DeletionDate=2024-03-05T14:07:09\n");
    EXPECT_EQ(info("Tool.app"), "[Trash Info]\nPath=" + dir.path() +
                                    "/Apps/Tool.app\nDeletionDate=2024-03-05T14:07:09\n");
    EXPECT_EQ(test::permissions(home("")), 0700u);
    EXPECT_EQ(test::permissions(home("files")), 0700u);
    EXPECT_EQ(test::permissions(home("info")), 0700u);
    EXPECT_EQ(test::permissions(home("info/Tool.app.trashinfo")), 0600u);

    const test::EnvironmentVariable paris{"TZ", "CET-1CEST,M3.5.0,M10.5.0/3"};
    dir.write("later.txt");
    makeTrash().trash(dir / "later.txt");
    EXPECT_TRUE(info("later.txt").ends_with("\nDeletionDate=2024-03-05T15:07:09\n"));

    dir.write("now.txt");
    FreedesktopTrash().trash(dir / "now.txt");
    EXPECT_TRUE(std::regex_search(
        info("now.txt"),
        std::regex("\nDeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\n$")));
}

TEST_F(FreedesktopTrashTest, ATakenNameGetsANumberBeforeItsExtensionALongOneIsCutAtACharacter)
{
    const FreedesktopTrash trash = makeTrash();
    const auto trashAnother = [&](const std::string& name, const std::string& content) {
        return fs::path(trash.trash(dir.write("from/" + name, content))).filename().string();
    };
    EXPECT_EQ(trashAnother("report.pdf", "first"), "report.pdf");
    EXPECT_EQ(trashAnother("report.pdf", "second"), "report 2.pdf");
    EXPECT_EQ(trashAnother("report.pdf", "third"), "report 3.pdf");
    EXPECT_EQ(trashAnother(".bashrc", "a"), ".bashrc");
    EXPECT_EQ(trashAnother(".bashrc", "b"), ".bashrc 2");
    EXPECT_EQ(trashAnother("README", "a"), "README");
    EXPECT_EQ(trashAnother("README", "b"), "README 2");
    dir.makeFolder("from/Tool.app/Contents");
    trash.trash(dir / "from/Tool.app");
    dir.write("from/Tool.app/Contents/Info.plist", "second");
    EXPECT_EQ(trash.trash(dir / "from/Tool.app"), home("files/Tool 2.app"));

    // Nothing was replaced: every item is there with its own info file.
    EXPECT_EQ(test::readFile(home("files/report.pdf")), "first");
    EXPECT_EQ(test::readFile(home("files/report 2.pdf")), "second");
    EXPECT_EQ(test::readFile(home("files/report 3.pdf")), "third");
    EXPECT_EQ(test::readFile(home("files/Tool 2.app/Contents/Info.plist")), "second");
    EXPECT_EQ(entries(home("info")).size(), entries(home("files")).size());
    EXPECT_TRUE(info("report 3.pdf")
                    .starts_with("[Trash Info]\nPath=" + dir.path() + "/from/report.pdf\n"));

    // An item whose info file is gone, and an info file without its item, keep their names.
    dir.write("data/Trash/files/a.txt", "orphan");
    dir.write("data/Trash/info/a 2.txt.trashinfo", "stale");
    EXPECT_EQ(trashAnother("a.txt", "mine"), "a 3.txt");
    EXPECT_EQ(test::readFile(home("files/a.txt")), "orphan");
    EXPECT_EQ(test::readFile(home("info/a 2.txt.trashinfo")), "stale");
    EXPECT_FALSE(fs::exists(home("info/a.txt.trashinfo")));

    // A long name is shortened at a character boundary.
    std::string name = "a";
    for (int i = 0; i < 122; ++i) {
        name += "é";
    }
    name += ".jpeg"; // 250 bytes: the name fits, its info file's name would not
    const std::string first = fs::path(trash.trash(dir.write(name, "1"))).filename().string();
    const std::string second = fs::path(trash.trash(dir.write(name, "2"))).filename().string();

    for (const std::string& chosen : {first, second}) {
        EXPECT_LE(chosen.size() + std::string_view(".trashinfo").size(), 255u);
        EXPECT_TRUE(isValidUtf8(chosen)) << chosen;
        EXPECT_TRUE(fs::exists(home("info/" + chosen + ".trashinfo")));
    }
    EXPECT_TRUE(first.ends_with("é.jpeg"));
    EXPECT_TRUE(second.ends_with("é 2.jpeg"));
    EXPECT_EQ(test::readFile(home("files/" + first)), "1");
    EXPECT_EQ(test::readFile(home("files/" + second)), "2");
}

TEST_F(FreedesktopTrashTest, ReturnsTheCanonicalPathWhenTheDataFolderIsALink)
{
    dir.makeFolder("real/data");
    dir.link(dir / "real", "link");
    const test::EnvironmentVariable linked{"XDG_DATA_HOME", dir / "link/data"};
    const std::string result = makeTrash().trash(dir.write("x.txt", "x"));
    EXPECT_EQ(result, dir / "real/data/Trash/files/x.txt");
    EXPECT_TRUE(path::isLinkFree(result));

    const std::string fallback = std::string(std::getenv("HOME")) + "/.local/share/Trash";
    for (const std::optional<std::string>& value :
         {std::optional<std::string>{}, std::optional<std::string>(""),
          std::optional<std::string>("relative/data")}) {
        const test::EnvironmentVariable unusable{"XDG_DATA_HOME", value};
        EXPECT_EQ(FreedesktopTrash::homeTrashFolder(), fallback);
    }
}

TEST_F(FreedesktopTrashTest, AFailedMoveLeavesTheItemAndNoInfoFile)
{
    const std::string item = dir.write("x.txt", "x");
    const FileMover refusing(
        FileMover::Hooks{[](const std::string&, const std::string&) { return EACCES; }, {}});
    EXPECT_EQ(platformErrorOf([&] { makeTrash(refusing).trash(item); }), EACCES);
    EXPECT_EQ(platformErrorOf([&] { makeTrash().trash(dir / "missing.txt"); }), ENOENT);
    {
        const FileSync::Override failing(&failingSync); // the info file never reaches the disk
        EXPECT_EQ(platformErrorOf([&] { makeTrash().trash(item); }), EIO);
    }
    EXPECT_EQ(test::readFile(item), "x");
    EXPECT_EQ(entries(home("info")), std::vector<std::string>{});
    EXPECT_EQ(entries(home("files")), std::vector<std::string>{});

    // A name taken between the check and the rename: the next one is used.
    int calls = 0;
    const FileMover racing(FileMover::Hooks{
        [&calls](const std::string& from, const std::string& to) {
            return ++calls == 1 ? EEXIST : (::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno);
        },
        {}});
    EXPECT_EQ(makeTrash(racing).trash(item), home("files/x 2.txt"));
    EXPECT_EQ(entries(home("info")), std::vector<std::string>{"x 2.txt.trashinfo"});
}

TEST_F(FreedesktopTrashTest, ForgetsTheInfoFileOfARestoredItemOnly)
{
    const FreedesktopTrash trash = makeTrash();
    const std::string item = dir.write("x.txt", "x");
    const std::string inTrash = trash.trash(item);
    trash.forgetRestored(inTrash); // still in the trash: its record stays
    EXPECT_TRUE(fs::exists(home("info/x.txt.trashinfo")));
    fs::rename(inTrash, item);
    dir.link(home(""), "trash-link");
    trash.forgetRestored(dir / "trash-link/files/x.txt"); // through a link
    EXPECT_TRUE(fs::exists(home("info/x.txt.trashinfo")));
    trash.forgetRestored(inTrash);
    EXPECT_FALSE(fs::exists(home("info/x.txt.trashinfo")));

    // Folders shaped like a trash that are not this user's trash are never touched.
    for (const std::string folder : {"elsewhere", ".Trash-4242", "0", ".Trash/0"}) {
        const std::string record = dir.write(folder + "/info/y.trashinfo", "keep");
        dir.makeFolder(folder + "/files");
        trash.forgetRestored(dir / (folder + "/files/y"));
        EXPECT_TRUE(fs::exists(record)) << folder;
    }
    // A .Trash-<uid> of our own is recognised.
    const std::string own = ".Trash-" + std::to_string(::geteuid());
    const std::string record = dir.write(own + "/info/y.trashinfo", "forget");
    dir.makeFolder(own + "/files");
    trash.forgetRestored(dir / (own + "/files/y"));
    EXPECT_FALSE(fs::exists(record));
}

// A second file system whose items the home trash cannot take.
class VolumeTrashTest : public FreedesktopTrashTest {
protected:
    void SetUp() override
    {
        std::string whyNot;
        scratch = test::ScratchFileSystem::mount(whyNot);
        if (!scratch) {
            GTEST_SKIP() << "no second file system on this machine: " << whyNot;
        }
    }
    std::string volume(std::string_view relative) const { return *scratch / relative; }

    const std::string user = std::to_string(::geteuid());
    std::unique_ptr<test::ScratchFileSystem> scratch;
};

TEST_F(VolumeTrashTest, UsesAnAdministratorsTrashOnlyWithTheStickyBitAndNoLinkElseItsOwn)
{
    const FreedesktopTrash trash = makeTrash();
    const std::string decoy = scratch->root().makeFolder("decoy");
    ASSERT_EQ(::chmod(decoy.c_str(), 01777), 0);
    ASSERT_EQ(::symlink(decoy.c_str(), volume(".Trash").c_str()), 0);
    const std::string own = volume(".Trash-" + user);
    const std::string item = scratch->root().write("a/b c/one.txt", "x");
    EXPECT_EQ(trash.trash(item), own + "/files/one.txt");
    EXPECT_EQ(test::readFile(own + "/info/one.txt.trashinfo"),
              "[Trash Info]\nPath=a/b%20c/one.txt\nDeletionDate=2024-03-05T14:07:09\n");
    EXPECT_EQ(test::permissions(own), 0700u);
    EXPECT_FALSE(fs::exists(item));
    EXPECT_EQ(entries(decoy), std::vector<std::string>{});
    EXPECT_EQ(entries(home("files")), std::vector<std::string>{});

    ASSERT_EQ(::unlink(volume(".Trash").c_str()), 0);
    scratch->root().makeFolder(".Trash");
    ASSERT_EQ(::chmod(volume(".Trash").c_str(), 0777), 0);
    EXPECT_EQ(trash.trash(scratch->root().write("two.txt")), own + "/files/two.txt");
    EXPECT_EQ(entries(volume(".Trash")), std::vector<std::string>{});

    ASSERT_EQ(::chmod(volume(".Trash").c_str(), 01777), 0);
    EXPECT_EQ(trash.trash(scratch->root().write("in/three.txt")),
              volume(".Trash/" + user + "/files/three.txt"));
    EXPECT_EQ(test::readFile(volume(".Trash/" + user + "/info/three.txt.trashinfo")),
              "[Trash Info]\nPath=in/three.txt\nDeletionDate=2024-03-05T14:07:09\n");
    EXPECT_EQ(test::permissions(volume(".Trash/" + user)), 0700u);
}

TEST_F(VolumeTrashTest, RefusesRatherThanCopyingToTheHomeTrash)
{
    const FreedesktopTrash trash = makeTrash();
    const std::string item = scratch->root().write("photo.jpg", "pixels");
    scratch->root().write(".Trash-" + user, "not a folder");
    EXPECT_EQ(platformErrorOf([&] { trash.trash(item); }), ENOTDIR);

    ASSERT_EQ(::unlink(volume(".Trash-" + user).c_str()), 0);
    scratch->makeReadOnly();
    try {
        trash.trash(item);
        ADD_FAILURE() << "trashed on a read-only disk";
    } catch (const PlatformError& refused) {
        EXPECT_EQ(refused.code(), EROFS);
        const test::ScopedLanguage english(AppLanguage::en);
        EXPECT_EQ(errorDescription(refused), "This disk allows reading only: no Trash can be made "
                                             "on it. The file stays where it is.");
    }

    EXPECT_EQ(test::readFile(item), "pixels");
    EXPECT_EQ(entries(home("files")), std::vector<std::string>{});
}

TEST_F(VolumeTrashTest, AHomeTrashThatIsNoFolderNeverSendsItsDisksItemsElsewhere)
{
    const test::EnvironmentVariable scratchData{"XDG_DATA_HOME", volume("data")};
    scratch->root().write("data/Trash", "not a folder");
    const std::string item = scratch->root().write("photo.jpg", "pixels");
    EXPECT_EQ(platformErrorOf([&] { makeTrash().trash(item); }), ENOTDIR);
    EXPECT_EQ(test::readFile(item), "pixels");
    EXPECT_EQ(entries(scratch->path()), (std::vector<std::string>{"data", "photo.jpg"}));
}

} // namespace
} // namespace tollenvane
