#include "core/access/FolderAccess.h"

#include "core/base/Json.h"
#include "core/base/Path.h"
#include "core/base/Uuid.h"
#include "support/EnvironmentVariable.h"
#include "support/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace tollenvane {
namespace {

using Errors = std::optional<FileError::Case>;
using test::fileErrorOf;

Errors validationError(const std::string& path)
{
    return fileErrorOf([&] { FolderAccess::validate(path); });
}

Errors grantError(const std::string& path)
{
    return fileErrorOf([&] { (void)FolderAccess::grant(path, false); });
}

constexpr Errors unsafe = FileError::unsafeSource;
constexpr Errors invalid = FileError::invalidDestination;

TEST(FolderAccess, RefusalFollowsTheListsWithoutLookingAtTheDisk)
{
    const auto lists = FolderAccess::Refusals::make({"someone", "", "..", "a/b"},
                                                    {"/var/home/someone/", "/", "/var", "/home"},
                                                    {"/home/someone/.tr/Trash/"});
    const auto refused = [&](std::string_view passed, std::string_view resolved = {}) {
        return FolderAccess::refusal(passed, resolved.empty() ? passed : resolved, lists)
            .has_value();
    };

    for (const char* path : {"/",
                             "/home",
                             "/media",
                             "/mnt",
                             "/run/media",
                             "/media/someone",
                             "/run/media/someone",
                             "/usr",
                             "/usr/local",
                             "/etc/fstab.d",
                             "/var",
                             "/tmp",
                             "/tmp/x",
                             "/run",
                             "/run/user/0",
                             "/opt/tool",
                             "/boot",
                             "/lib",
                             "/lib32",
                             "/lib64",
                             "/libx32",
                             "/proc/1",
                             "/srv",
                             "/sys",
                             "/snap/x",
                             "/dev",
                             "/bin",
                             "/sbin",
                             "/System/x",
                             "/Library",
                             "/Applications/x",
                             "/private/var"}) {
        EXPECT_TRUE(refused(path)) << path;
    }
    for (const char* path :
         {"/home/someone/Pictures", "/home/someone", "/media/someone/Disk/Photos",
          "/run/media/someone/Disk", "/mnt/disk", "/usrdata", "/tmpfiles", "/runner", "/root",
          "/root/Photos", "/media/a/b", "/home/someone/library"}) {
        EXPECT_FALSE(refused(path)) << path;
    }

    // Places are judged where they lead, names as they were chosen.
    EXPECT_TRUE(refused("/home/someone/etc", "/etc"));
    EXPECT_FALSE(refused("/home/someone/Photos", "/home/someone/Library/Photos"));
    EXPECT_TRUE(refused("/home/someone/Library/Photos", "/data/Photos"));
    for (const char* path :
         {"/home/someone/Library/Caches", "/home/someone/Projects/.git", "/x/.Trash-1000",
          "/x/.Trash-0/files", "/x/$RECYCLE.BIN", "/x/System Volume Information/y", "/x/.ssh"}) {
        EXPECT_TRUE(refused(path)) << path;
    }
    for (const char* path :
         {"/x/.Trash-", "/x/.Trash-1a", "/x/.Trash-\xd9\xa1", "/x/.trash", "/x/.gitignore"}) {
        EXPECT_FALSE(refused(path)) << path;
    }

    // The home trash and what it holds, reached by its name or through a link.
    EXPECT_TRUE(refused("/home/someone/.tr/Trash"));
    EXPECT_TRUE(refused("/home/someone/.tr/x/../Trash/files/Album"));
    EXPECT_TRUE(refused("/home/someone/bin", "/home/someone/.tr/Trash/files"));
    EXPECT_FALSE(refused("/home/someone/.tr/TrashBin"));
    EXPECT_FALSE(refused("/home/someone/.tr"));

    // A home folder below a refused root is spared with what it holds, names aside; a home folder
    // that is itself refused spares nothing.
    EXPECT_FALSE(refused("/home/someone/Pictures", "/var/home/someone/Pictures"));
    EXPECT_FALSE(refused("/var/home/someone"));
    EXPECT_TRUE(refused("/var/home/someone/Library"));
    EXPECT_TRUE(refused("/var/home/someone2"));
    EXPECT_TRUE(refused("/var/home"));
    EXPECT_TRUE(refused("/var/lib"));
}

TEST(FolderAccess, ValidateOnThisSystem)
{
    for (const char* path : {"/", "/home", "/media", "/mnt", "/run/media", "/usr", "/usr/local",
                             "/etc", "/tmp", "/var/tmp", "/proc/self", "/dev/null"}) {
        EXPECT_EQ(validationError(path), unsafe) << path;
    }
    // Accepted by the refusal steps; these do not exist here.
    for (const char* path :
         {"/home/someone/Pictures", "/media/someone/Disk/Photos", "/usrdata", "", "Photos", "."}) {
        EXPECT_EQ(validationError(path), invalid) << path;
    }
}

TEST(FolderAccess, ValidateAndGrantRealFolders)
{
    const test::TempDir dir;
    EXPECT_EQ(validationError(dir.makeFolder("library")), std::nullopt);
    EXPECT_EQ(validationError(dir.makeFolder("Library/Caches")), unsafe);
    EXPECT_EQ(validationError(dir.makeFolder("Projects/.git")), unsafe);
    EXPECT_EQ(validationError(dir.makeFolder(".Trash-1000/files")), unsafe);
    EXPECT_EQ(validationError(dir.makeFolder(".Trash-abc")), std::nullopt);

    EXPECT_EQ(validationError(dir.write("file.txt")), invalid);
    EXPECT_EQ(validationError(dir / "missing"), invalid);
    std::filesystem::create_symlink(dir / "gone", dir / "dangling");
    EXPECT_EQ(validationError(dir / "dangling"), invalid);
    std::filesystem::create_symlink(dir / "loop", dir / "loop");
    EXPECT_EQ(validationError(dir / "loop/x"), invalid);

    std::filesystem::create_symlink("/etc", dir / "etc-link");
    EXPECT_EQ(validationError(dir / "etc-link"), unsafe);
    dir.makeFolder("links");
    std::filesystem::create_symlink(dir / "library", dir / "links/Library");
    EXPECT_EQ(validationError(dir / "links/Library"), unsafe);

    // Accepted by its chosen name, but every scan would refuse where it leads: no grant.
    dir.makeFolder("Library/Photos");
    std::filesystem::create_symlink(dir / "Library/Photos", dir / "Photos");
    EXPECT_EQ(validationError(dir / "Photos"), std::nullopt);
    EXPECT_EQ(grantError(dir / "Photos"), unsafe);

    EXPECT_EQ(grantError("/etc"), unsafe);
    EXPECT_EQ(grantError(dir / "missing"), invalid);
    EXPECT_EQ(grantError(dir / "file.txt"), invalid);
    // The state file holds text only: a name that is not UTF-8 could never be saved.
    const std::string undecodable = dir.makeFolder("bad\xff");
    EXPECT_EQ(validationError(undecodable), std::nullopt);
    EXPECT_EQ(grantError(undecodable), FileError::unsupported);
}

TEST(FolderAccess, TheHomeFolderIsNeverRefusedByARootWhereverItLies)
{
    // As on an image-based system, where /home is a link into /var: here the home folder is
    // reached through a link into /tmp, refused with everything below it.
    const test::TempDir dir;
    const test::TempDir refusedRoot("/tmp");
    const std::string home = refusedRoot.makeFolder("var/home/someone");
    std::filesystem::create_symlink(refusedRoot / "var/home", dir / "home");
    const test::EnvironmentVariable linkedHome("HOME", dir / "home/someone");
    const FolderAccess::Refusals lists = FolderAccess::Refusals::current();
    const auto refused = [&](const std::string& path) {
        return FolderAccess::refusal(path, path::resolved(path), lists).has_value();
    };

    EXPECT_FALSE(refused(dir / "home/someone/Pictures"));
    EXPECT_FALSE(refused(home));
    EXPECT_FALSE(refused(refusedRoot.makeFolder("var/home/someone/Projects/Photos")));
    EXPECT_TRUE(refused(home + "/Projects/.git"));
    EXPECT_TRUE(refused(refusedRoot.makeFolder("var/home/other")));
    EXPECT_TRUE(refused(dir / "home"));
    EXPECT_EQ(validationError(refusedRoot.path()), unsafe);
}

// In the scratch home of the test process, whose trash other tests may have used already.
TEST(FolderAccess, TheHomeTrashIsRefused)
{
    const test::TempDir dir;
    const std::string dataHome = std::getenv("XDG_DATA_HOME");
    const std::string trash = dataHome + "/Trash";
    std::filesystem::create_directories(trash + "/files/Album");
    std::filesystem::create_directories(dataHome + "/Trash backup");

    EXPECT_EQ(validationError(trash), unsafe);
    EXPECT_EQ(validationError(trash + "/files/Album"), unsafe);
    std::filesystem::create_symlink(trash + "/files", dir / "trashed");
    EXPECT_EQ(validationError(dir / "trashed"), unsafe);
    EXPECT_EQ(validationError(dataHome + "/Trash backup"), std::nullopt);
    EXPECT_EQ(validationError(dataHome), std::nullopt);

    std::filesystem::remove(trash + "/files/Album");
    std::filesystem::remove(dataHome + "/Trash backup");
}

TEST(FolderAccess, NormalizedRootsKeepOnlyTheOutermost)
{
    const test::TempDir dir;
    const std::string a = dir.makeFolder("a");
    const std::string photos = dir.makeFolder("a/Photos");
    const std::string photo = dir.makeFolder("a/Photo");
    using Roots = std::vector<std::string>;

    EXPECT_EQ(FolderAccess::normalizedRoots({photos, a, a + "/"}), Roots{a});
    EXPECT_EQ(FolderAccess::normalizedRoots({photos, photo}), (Roots{photo, photos}));
    EXPECT_EQ(FolderAccess::normalizedRoots({dir / "xb", dir / "xa"}),
              (Roots{dir / "xb", dir / "xa"}));
    EXPECT_EQ(FolderAccess::normalizedRoots({dir / "xa", dir / "xb"}),
              (Roots{dir / "xa", dir / "xb"}));
    EXPECT_EQ(FolderAccess::normalizedRoots({}), Roots{});

    std::filesystem::create_symlink(photos, dir / "p");
    EXPECT_EQ(FolderAccess::normalizedRoots({dir / "p", photo}), (Roots{photo, photos}));
    EXPECT_EQ(FolderAccess::normalizedRoots({dir / "p", a + "/./Photos/"}), Roots{photos});
    EXPECT_EQ(FolderAccess::normalizedRoots({dir / "p", a}), Roots{a});
}

TEST(FolderAccess, AGrantResolvesToItsFolderAndSurvivesTheStateFile)
{
    const test::TempDir dir;
    const std::string pictures = dir.makeFolder("Pictures");
    std::filesystem::create_symlink(pictures, dir / "pics");

    const FolderGrant made = FolderAccess::grant(dir / "pics/", true);
    EXPECT_EQ(uuid::canonical(made.id), made.id);
    EXPECT_EQ(made.name, "pics");
    EXPECT_TRUE(made.favorite);
    EXPECT_EQ(made.lastKnownPath, dir / "pics"); // as chosen, not resolved
    EXPECT_EQ(FolderAccess::resolve(made), (Bookmark::Resolved{pictures, false}));
    EXPECT_NE(FolderAccess::grant(pictures, false).id, made.id);

    const FolderGrant decoded = FolderGrant::fromJson(json::parse(json::dump(made.toJson())));
    EXPECT_EQ(decoded, made);
    EXPECT_EQ(FolderAccess::resolve(decoded), (Bookmark::Resolved{pictures, false}));

    // A foreign token still loads with its grant; only its resolution fails.
    Json foreign = made.toJson();
    foreign["bookmark"] = "Ym9va21hcms="; // "bookmark"
    const FolderGrant kept = FolderGrant::fromJson(foreign);
    EXPECT_THROW(FolderAccess::resolve(kept), BookmarkError);

    std::filesystem::remove(dir / "pics");
    std::filesystem::rename(pictures, dir / "Moved");
    EXPECT_EQ(test::platformErrorOf([&] { FolderAccess::resolve(made); }), ENOENT);
}

} // namespace
} // namespace tollenvane
