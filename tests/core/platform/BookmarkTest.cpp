#include "core/platform/Bookmark.h"

#include "core/base/FileStatus.h"
#include "core/base/Json.h"
#include "support/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>

namespace tollenvane {
namespace {

class FakeVolumes final : public Bookmark::Volumes {
public:
    std::vector<MountEntry> mounts;
    std::map<std::uint64_t, std::string> uuids;

    MountTable mountTable() const override { return MountTable(mounts); }
    std::optional<std::string> uuid(std::uint64_t device) const override
    {
        const auto found = uuids.find(device);
        return found == uuids.end() ? std::nullopt : std::optional(found->second);
    }

    void mount(std::uint64_t device, std::string root, std::string mountPoint)
    {
        MountEntry entry;
        entry.device = device;
        entry.root = std::move(root);
        entry.mountPoint = std::move(mountPoint);
        entry.source = "/dev/vdz";
        mounts.push_back(std::move(entry));
    }
};

void rename(const std::string& from, const std::string& to)
{
    ASSERT_EQ(std::rename(from.c_str(), to.c_str()), 0) << from;
}

TEST(Bookmark, ResolvesToTheRealPathOfTheSameFolderStaleWhenReplacedAndNothingWhenGone)
{
    const test::TempDir dir;
    const std::string photos = dir.makeFolder("a/Photos");
    ASSERT_EQ(::symlink((dir / "a/Photos").c_str(), (dir / "link").c_str()), 0);
    const std::string token = Bookmark::create(dir / "link/");
    EXPECT_EQ(Bookmark::resolve(token), (Bookmark::Resolved{photos, false}));

    // Reached now through a link on the way: same folder, so not stale, and no link in the path.
    rename(dir / "a", dir / "b");
    ASSERT_EQ(::symlink((dir / "b").c_str(), (dir / "a").c_str()), 0);
    EXPECT_EQ(Bookmark::resolve(token), (Bookmark::Resolved{dir / "b/Photos", false}));

    // Another folder under its name; both exist at once, so the newcomer cannot reuse the inode.
    dir.makeFolder("newcomer");
    rename(dir / "b/Photos", dir / "old");
    rename(dir / "newcomer", dir / "b/Photos");
    EXPECT_EQ(Bookmark::resolve(token), (Bookmark::Resolved{dir / "b/Photos", true}));

    // Moved away, replaced by a file, deleted.
    const std::string moved = Bookmark::create(dir / "old");
    rename(dir / "old", dir / "Elsewhere");
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::resolve(moved); }), ENOENT);
    dir.write("old", "now a file");
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::resolve(moved); }), ENOENT);
    ASSERT_EQ(::unlink((dir / "old").c_str()), 0);
    ASSERT_EQ(::rmdir((dir / "Elsewhere").c_str()), 0);
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::resolve(moved); }), ENOENT);
}

TEST(Bookmark, OnlyAnExistingFolderWithATextPathGetsATokenAndOnlyAWellFormedTokenResolves)
{
    const test::TempDir dir;
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::create(dir.write("file.txt")); }), ENOTDIR);
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::create(dir / "missing"); }), ENOENT);
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::create(""); }), ENOENT);
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::create("."); }), ENOENT);
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::create(dir.makeFolder("bad\xff")); }), EILSEQ);

    // A token it cannot read is a bookmark error.
    const std::string token = Bookmark::create(dir.makeFolder("Photos"));
    ASSERT_TRUE(token.starts_with("TVBM1{"));
    const Json valid = json::parse(token.substr(5));
    const auto edited = [&](const char* key, const Json& value) {
        Json json = valid;
        json[key] = value;
        return "TVBM1" + json::dump(json);
    };
    const auto without = [&](const char* key) {
        Json json = valid;
        json.erase(key);
        return "TVBM1" + json::dump(json);
    };

    for (const std::string& unreadable : {
             std::string(),
             std::string("book\0\0\0\0mark", 12), // another system's bookmark
             std::string("TVBM1"),
             std::string("TVBM1{"),
             std::string("TVBM1[]"),
             "TVBM2" + token.substr(5), // a later version
             token + "}",
             without("path"),
             without("device"),
             without("inode"),
             edited("device", -1),
             edited("inode", "12"),
             edited("path", "Photos"),
             edited("path", dir / "x/../Photos"),
             edited("volumeUUID", 7),
             edited("mountRelative", "../../etc"),
             edited("mountRelative", "/etc"),
         }) {
        EXPECT_THROW(Bookmark::resolve(unreadable), BookmarkError) << unreadable;
    }
    // Callers handling platform errors need no other case.
    EXPECT_EQ(test::platformErrorOf([] { Bookmark::resolve("garbage"); }), EINVAL);
}

class BookmarkOnVolumes : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.makeFolder("old mount/Photos/2020");
        volumes.mount(device, "/", dir / "old mount");
        volumes.uuids[device] = "1111-AAAA";
        token = Bookmark::create(folder, volumes);
    }

    const test::TempDir dir;
    const std::uint64_t device = FileStatus::read(dir.path()).device;
    FakeVolumes volumes;
    std::string folder;
    std::string token;
};

TEST_F(BookmarkOnVolumes, TheVolumeUuidDecidesIdentityWhenKnown)
{
    EXPECT_EQ(Bookmark::resolve(token, volumes), (Bookmark::Resolved{folder, false}));
    volumes.uuids[device] = "2222-BBBB";
    EXPECT_EQ(Bookmark::resolve(token, volumes), (Bookmark::Resolved{folder, true}));
    volumes.uuids.clear(); // cannot tell: the device number decides
    EXPECT_EQ(Bookmark::resolve(token, volumes), (Bookmark::Resolved{folder, false}));
}

TEST_F(BookmarkOnVolumes, AVolumeMountedElsewhereIsFoundAndStale)
{
    rename(dir / "old mount", dir / "new mount");
    volumes.mounts.clear();
    volumes.mount(device, "/Other", dir / "unrelated"); // shows another part of the volume
    volumes.mount(device, "/", dir / "new mount");
    EXPECT_EQ(Bookmark::resolve(token, volumes),
              (Bookmark::Resolved{dir / "new mount/Photos/2020", true}));

    // A mount of a folder of the volume: the place is found below its root.
    rename(dir / "new mount/Photos", dir / "bound");
    volumes.mounts.clear();
    volumes.mount(device, "/Photos", dir / "bound");
    EXPECT_EQ(Bookmark::resolve(token, volumes), (Bookmark::Resolved{dir / "bound/2020", true}));

    // Another volume, or none, at the new place: nothing is found.
    volumes.uuids[device] = "2222-BBBB";
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::resolve(token, volumes); }), ENOENT);
    volumes.uuids[device] = "1111-AAAA";
    volumes.mounts.clear();
    EXPECT_EQ(test::platformErrorOf([&] { Bookmark::resolve(token, volumes); }), ENOENT);
}

} // namespace
} // namespace tollenvane
