#include "core/volumes/LinuxVolumeSource.h"

#include "core/base/FileStatus.h"
#include "core/platform/DiskLinks.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/sysmacros.h>

#include <string>

namespace tollenvane {
namespace {

// A device tree and a mount table of a laptop: an internal disk, a USB stick, a card reader
// and encrypted volumes on either, among network and kernel mounts.
class LinuxVolumeSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        disk("devices/pci0/ata1/host0/block/sda", "0", {"sda1"});
        disk("devices/pci0/usb2/2-1/host6/block/sdb", "0", {"sdb1"});
        disk("devices/pci0/reader/block/sdc", "1", {});
        disk("devices/pci0/odd/block/sdd", "", {"sdd1"});
        disk("devices/virtual/block/dm-0", "0", {});
        dir.link("../../../../pci0/usb2/2-1/host6/block/sdb/sdb1",
                 "sys/devices/virtual/block/dm-0/slaves/sdb1");
        disk("devices/virtual/block/dm-1", "0", {});
        dir.link("../../../../pci0/ata1/host0/block/sda/sda1",
                 "sys/devices/virtual/block/dm-1/slaves/sda1");
        device("8:1", "pci0/ata1/host0/block/sda/sda1");
        device("8:17", "pci0/usb2/2-1/host6/block/sdb/sdb1");
        device("8:32", "pci0/reader/block/sdc");
        device("8:49", "pci0/odd/block/sdd/sdd1");
        device("254:0", "virtual/block/dm-0");
        device("254:1", "virtual/block/dm-1");

        mountInfo = dir.write(
            "mountinfo", "90001 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                         "90002 90001 8:17 / /media/alice/USB\\040Stick rw - vfat /dev/sdb1 rw\n"
                         "90003 90001 0:40 / /mnt/nas rw - nfs4 server:/export rw\n"
                         "90004 90001 0:41 / /mnt/share rw - cifs //server/share rw\n"
                         "90005 90001 0:42 / /media/alice/remote rw - fuse.sshfs alice@host:/ rw\n"
                         "90006 90001 0:43 / /mnt/odd rw - ext4 host:/x rw\n"
                         "90007 90001 8:32 / /run/media/alice/Card rw - fuseblk /dev/sdc rw\n"
                         "90008 90001 0:5 / /mnt/.snapshots rw - tmpfs tmpfs rw\n"
                         "90009 90001 0:6 / /media/.hidden/inner rw - ext4 /dev/sdd1 rw\n"
                         "90010 90001 0:7 / /mnt/proc rw - proc proc rw\n"
                         "90011 90001 7:3 / /mnt/snap rw - squashfs /dev/loop3 ro\n"
                         "90012 90001 254:0 / /media/alice/Secret rw - ext4 /dev/mapper/secret rw\n"
                         "90013 90001 254:1 / /mnt/data rw - btrfs /dev/mapper/data rw\n"
                         "90014 90001 8:49 / /mnt/unknown rw - ext4 /dev/sdd1 rw\n"
                         "90015 90001 0:44 / /mnt/scratch rw - tmpfs tmpfs rw\n");
    }

    void disk(const std::string& folder, const std::string& removable,
              const std::vector<std::string>& partitions) const
    {
        dir.makeFolder("sys/" + folder);
        if (!removable.empty()) {
            dir.write("sys/" + folder + "/removable", removable + "\n");
        }
        for (const std::string& partition : partitions) {
            dir.write("sys/" + folder + "/" + partition + "/partition", "1\n");
        }
    }
    void device(const std::string& numbers, const std::string& target) const
    {
        dir.link("../../devices/" + target, "sys/dev/block/" + numbers);
    }

    LinuxVolumeSource source() const
    {
        return LinuxVolumeSource({mountInfo, dir / "sys", dir / "by-label"});
    }

    const test::TempDir dir;
    std::string mountInfo;
};

TEST_F(LinuxVolumeSourceTest, TellsFlagsFromTheTableAndTheDeviceTree)
{
    const auto volumes = source().mountedVolumes();
    ASSERT_TRUE(volumes);
    const std::vector<MountedVolume> expected{
        {"/", true, true, true},
        {"/media/alice/USB Stick", true, false, true},
        {"/mnt/nas", false, std::nullopt, true},
        {"/mnt/share", false, std::nullopt, true},
        {"/media/alice/remote", false, std::nullopt, true},
        {"/mnt/odd", false, std::nullopt, true},
        {"/run/media/alice/Card", true, false, true}, // removable
        {"/mnt/proc", true, std::nullopt, false},
        {"/mnt/snap", true, std::nullopt, false},
        {"/media/alice/Secret", true, false, true}, // encrypted on the USB stick
        {"/mnt/data", true, true, true},            // encrypted on the internal disk
        {"/mnt/unknown", true, std::nullopt, true}, // the disk says nothing of removal
        {"/mnt/scratch", true, std::nullopt, true}, // no disk at all
    };
    EXPECT_EQ(*volumes, expected);

    EXPECT_EQ(LinuxVolumeSource({dir / "missing", dir / "sys", dir / "by-label"}).mountedVolumes(),
              std::nullopt);
    // Without a device tree nothing is known to be internal.
    const auto blind =
        LinuxVolumeSource({mountInfo, dir / "no-sys", dir / "by-label"}).mountedVolumes();
    ASSERT_TRUE(blind);
    EXPECT_EQ(blind->front().internal, std::nullopt);
}

TEST_F(LinuxVolumeSourceTest, NamesAVolumeByItsDecodedLabelElseByItsMountPoint)
{
    const std::string node = dir.write("dev nodes/sdz1");
    dir.link("../dev nodes/sdz1", "by-label/My\\x20Photos");
    dir.link("../dev nodes/other", "by-label/Other");
    const std::string volume = dir.makeFolder("volume");
    const std::uint64_t device = FileStatus::read(volume).device;
    const std::string numbers = std::to_string(major(device)) + ":" + std::to_string(minor(device));
    const auto withTable = [&](const std::string& mountPoint, std::string source) {
        for (auto space = source.find(' '); space != std::string::npos; space = source.find(' ')) {
            source.replace(space, 1, "\\040");
        }
        return LinuxVolumeSource({dir.write("table", "90020 1 " + numbers + " / " + mountPoint +
                                                         " rw - ext4 " + source + " rw\n"),
                                  dir / "sys", dir / "by-label"});
    };

    std::optional<VolumeValues> values = withTable("/media/a/Disk\\0401", node).values(volume);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->name, "My Photos");
    EXPECT_EQ(values->volumePath, "/media/a/Disk 1");
    EXPECT_EQ(values->readOnly, false);
    EXPECT_GT(values->total.value_or(0), 0);
    EXPECT_LE(values->available.value_or(-1), *values->total);
    EXPECT_EQ(values->importantAvailable, std::nullopt);

    values = withTable("/media/a/Disk\\0401", "/dev/nothing").values(volume);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->name, "Disk 1");
    values = withTable("/", "/dev/nothing").values(volume);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->name, std::nullopt);
    EXPECT_EQ(values->volumePath, "/");

    EXPECT_EQ(source().values(dir / "missing"), std::nullopt);
    EXPECT_EQ(source().device(volume), device);
    EXPECT_EQ(source().device(dir / "missing"), std::nullopt);

    // Label escapes are decoded; incomplete ones, and ones that would not give UTF-8, stay.
    EXPECT_EQ(DiskLinks::decodedLabel("My\\x20Photos"), "My Photos");
    EXPECT_EQ(DiskLinks::decodedLabel("a\\x2fb\\x2F"), "a/b/");
    EXPECT_EQ(DiskLinks::decodedLabel("\\x2"), "\\x2");
    EXPECT_EQ(DiskLinks::decodedLabel("\\xzz"), "\\xzz");
    EXPECT_EQ(DiskLinks::decodedLabel("bad\\xff"), "bad\\xff"); // would not be UTF-8
    EXPECT_EQ(DiskLinks::decodedLabel("caf\\xc3\\xa9"), "caf\xc3\xa9");
}

} // namespace
} // namespace tollenvane
