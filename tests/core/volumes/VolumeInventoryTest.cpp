#include "core/volumes/VolumeInventory.h"

#include "core/platform/XdgFolders.h"
#include "core/volumes/MountWatcher.h"
#include "support/ScratchFileSystem.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <set>

namespace tollenvane {
namespace {

// A machine described by the test. Every path the listing asks about is noted.
class FakeVolumeSource final : public VolumeSource {
public:
    struct Volume {
        std::uint64_t device = 0;
        VolumeValues values;
    };

    std::optional<std::string> home = "/home/alice";
    std::optional<std::vector<MountedVolume>> mounts = std::vector<MountedVolume>{};
    std::map<std::string, VolumeValues> valuesByPath;
    std::map<std::string, std::uint64_t> devices;
    mutable std::set<std::string> asked;

    void add(const std::string& path, std::uint64_t device, VolumeValues values)
    {
        devices[path] = device;
        valuesByPath[path] = std::move(values);
    }
    void mount(const std::string& path, std::optional<bool> local, std::optional<bool> internal,
               std::optional<bool> browsable)
    {
        mounts->push_back({path, local, internal, browsable});
    }

    std::optional<std::string> homeFolder() const override { return home; }
    std::optional<std::vector<MountedVolume>> mountedVolumes() const override { return mounts; }
    std::optional<VolumeValues> values(const std::string& path) const override
    {
        asked.insert(path);
        const auto found = valuesByPath.find(path);
        return found == valuesByPath.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<std::uint64_t> device(const std::string& path) const override
    {
        asked.insert(path);
        const auto found = devices.find(path);
        return found == devices.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<std::string> uuid(const std::string&, std::uint64_t device) const override
    {
        return device == 2049 ? std::optional<std::string>("HOME-UUID") : std::nullopt;
    }
};

VolumeValues capacity(std::optional<std::int64_t> total, std::optional<std::int64_t> available,
                      std::optional<std::int64_t> important = std::nullopt)
{
    VolumeValues values;
    values.total = total;
    values.available = available;
    values.importantAvailable = important;
    return values;
}

VolumeValues named(VolumeValues values, std::optional<std::string> name,
                   std::optional<std::string> volumePath)
{
    values.name = std::move(name);
    values.volumePath = std::move(volumePath);
    return values;
}

std::vector<std::string> pathsOf(const std::vector<StorageVolume>& volumes)
{
    std::vector<std::string> paths;
    for (const StorageVolume& volume : volumes) {
        paths.push_back(volume.path);
    }
    return paths;
}

TEST(VolumeInventory, ListsTheHomeVolumeFirstThenLocalBrowsableVolumesOnce)
{
    FakeVolumeSource source;
    source.add("/home/alice", 2049, named(capacity(500, 200), std::nullopt, "/"));
    source.mount("/", true, true, true);
    source.mount("/media/alice/NAS", false, std::nullopt, true);
    source.mount("/mnt/unknown", std::nullopt, std::nullopt, std::nullopt);
    source.mount("/media/alice/Recovery", true, true, false);
    source.mount("/media/alice/USB", true, std::nullopt, std::nullopt);
    source.add("/media/alice/USB", 2065,
               named(capacity(1000, 400, 600), "USB", "/media/alice/USB"));
    source.mount("/run/media/alice/Disk", true, true, true);
    source.add("/run/media/alice/Disk", 2081,
               named(capacity(std::nullopt, 70, 30), std::nullopt, "/run/media/alice"));
    source.mount("/mnt/card", true, false, true);
    source.add("/mnt/card", 2097, named(capacity(10, 5), "CARD", "/mnt/card-root"));
    source.mount("/mnt/usb-again", true, false, true);
    source.add("/mnt/usb-again", 2065, named(capacity(1000, 400), "USB", "/mnt/usb-again"));
    source.mount("/media/alice/home-bind", true, false, true);
    source.add("/media/alice/home-bind", 2049, named(capacity(500, 200), "home", std::nullopt));
    source.mount("/media/alice/unreadable", true, false, true);
    source.mount("/media/alice/no-status", true, false, true);
    source.valuesByPath["/media/alice/no-status"] = capacity(1, 1);
    source.mount("/mediabox/x", true, false, true);
    source.add("/mediabox/x", 3000, capacity(1, 1));

    // Path, name, device, UUID, external, read-only, total, free, available. The home volume
    // without a name takes the last component of what was read; the stick is external as its
    // internal flag was not reported; the card, external, is known by its volume's own path.
    const std::vector<StorageVolume> volumes = VolumeInventory::list(source);
    EXPECT_EQ(volumes,
              (std::vector<StorageVolume>{
                  {"/home/alice", "alice", 2049, "HOME-UUID", false, false, 500, 200, 200},
                  {"/media/alice/USB", "USB", 2065, std::nullopt, true, false, 1000, 400, 600},
                  {"/run/media/alice/Disk", "Disk", 2081, std::nullopt, false, false, 0, 70, 70},
                  {"/mnt/card-root", "CARD", 2097, std::nullopt, true, false, 10, 5, 5}}));
    ASSERT_EQ(volumes.size(), 4U);
    EXPECT_EQ(volumes[0].used(), 300);
    EXPECT_EQ(volumes[1].purgeable(), 200);
    EXPECT_EQ(volumes[1].used(), 600);
    EXPECT_EQ(volumes[2].used(), 0);
    EXPECT_EQ(volumes[2].purgeable(), 0);

    // Mounts passed over for their flags are never looked at: a network mount might not answer.
    for (const char* unread : {"/media/alice/NAS", "/mnt/unknown", "/media/alice/Recovery", "/"}) {
        EXPECT_FALSE(source.asked.contains(unread)) << unread;
    }
}

TEST(VolumeInventory, ListsWhatCanBeReadWhenPartsAreMissing)
{
    FakeVolumeSource source;
    source.add("/home/alice", 2049, capacity(500, 200));
    source.mounts = std::nullopt;
    EXPECT_EQ(pathsOf(VolumeInventory::list(source)), std::vector<std::string>{"/home/alice"});

    source.mounts = std::vector<MountedVolume>{{"/media/usb", true, false, true}};
    source.add("/media/usb", 2065, capacity(10, 5));
    source.home = std::nullopt;
    EXPECT_EQ(pathsOf(VolumeInventory::list(source)), std::vector<std::string>{"/media/usb"});

    source.home = "/home/gone";
    EXPECT_EQ(pathsOf(VolumeInventory::list(source)), std::vector<std::string>{"/media/usb"});

    source.mounts->clear();
    EXPECT_TRUE(VolumeInventory::list(source).empty());
}

const StorageVolume* find(const std::vector<StorageVolume>& volumes, const std::string& path)
{
    const auto found =
        std::find_if(volumes.begin(), volumes.end(),
                     [&](const StorageVolume& volume) { return volume.path == path; });
    return found == volumes.end() ? nullptr : &*found;
}

TEST(VolumeInventory, TheRealHomeVolumeComesFirstAndOneMountedUnderMntIsListedAsItComes)
{
    const std::string home = XdgFolders::home();
    struct stat status {};
    ASSERT_EQ(::stat(home.c_str(), &status), 0);
    const std::vector<StorageVolume> before = VolumeInventory::list();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before.front().path, home);
    EXPECT_EQ(before.front().device, status.st_dev);
    EXPECT_FALSE(before.front().external);
    EXPECT_GT(before.front().total, 0);
    EXPECT_GE(before.front().total, before.front().free);
    EXPECT_FALSE(before.front().name.empty());

    std::string whyNot;
    if (!test::enterPrivateMountNamespace(whyNot)) {
        GTEST_SKIP() << "no private mount namespace: " << whyNot;
    }
    // Over /mnt first, so that nothing is made in the machine's own /mnt.
    const test::Mount scratch("tmpfs", "/mnt", "tmpfs", MS_NOSUID | MS_NODEV, "size=8m");
    if (!scratch.mounted()) {
        GTEST_SKIP() << "mounting a tmpfs: " << std::strerror(scratch.error());
    }
    ASSERT_EQ(::mkdir("/mnt/vol", 0755), 0);
    MountWatcher watcher;
    EXPECT_FALSE(watcher.wait(std::chrono::milliseconds(0)));

    test::Mount volume("tmpfs", "/mnt/vol", "tmpfs", MS_NOSUID | MS_NODEV, "size=8m");
    ASSERT_TRUE(volume.mounted()) << std::strerror(volume.error());
    EXPECT_TRUE(watcher.wait(std::chrono::seconds(5)));
    EXPECT_FALSE(watcher.wait(std::chrono::milliseconds(0))); // acknowledged

    const std::vector<StorageVolume> volumes = VolumeInventory::list();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().path, home);
    const StorageVolume* listed = find(volumes, "/mnt/vol");
    ASSERT_NE(listed, nullptr);
    ASSERT_EQ(::stat("/mnt/vol", &status), 0);
    EXPECT_EQ(listed->device, status.st_dev);
    EXPECT_EQ(listed->name, "vol");
    EXPECT_TRUE(listed->external); // no disk behind it to call internal
    EXPECT_EQ(listed->total, 8 * 1024 * 1024);
    EXPECT_EQ(listed->uuid, std::nullopt);
    EXPECT_EQ(find(volumes, "/mnt"), nullptr);

    volume.unmount();
    EXPECT_TRUE(watcher.wait(std::chrono::seconds(5)));
    EXPECT_EQ(find(VolumeInventory::list(), "/mnt/vol"), nullptr);
}

} // namespace
} // namespace tollenvane
