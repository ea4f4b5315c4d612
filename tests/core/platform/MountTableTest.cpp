#include "core/platform/MountTable.h"

#include "core/base/FileStatus.h"
#include "core/base/PlatformError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/sysmacros.h>

namespace tollenvane {
namespace {

constexpr std::string_view fixture =
    "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue\n"
    "40 27 8:17 / /media/My\\040Disk rw,nosuid shared:5 master:2 propagate_from:3 - vfat "
    "/dev/sdb1 rw,fmask=0022\n"
    "41 27 0:50 /sub\\134dir /mnt/tab\\011new\\012line rw - fuse.sshfs user@host:/a\\040b rw\n"
    "42 27 8:1 /odd\\04 /nul\\000 rw - ext4 /dev/sda1 rw\n"
    "\n"
    "garbage\n"
    "50 27 8:1 / /too-short rw - ext4\n"
    "51 x 8:1 / /bad-id rw - ext4 /dev/sda1 rw\n"
    "52 27 8-1 / /bad-device rw - ext4 /dev/sda1 rw\n"
    "53 27 8:1 / /no-separator rw ext4 /dev/sda1 rw\n"
    "54 27 8:2 / /stacked rw - ext4 /dev/sda2 rw\n"
    "55 54 8:2 / /stacked ro - ext4 /dev/sda2 rw"; // no final newline

TEST(MountTable, ReadsFieldsAroundTheOptionalOnesAndFindsTheTopMountOfADevice)
{
    const MountTable table = MountTable::parse(fixture);
    ASSERT_EQ(table.entries().size(), 6U);

    const MountEntry& first = table.entries()[0];
    EXPECT_EQ(first.mountId, 36U);
    EXPECT_EQ(first.parentId, 35U);
    EXPECT_EQ(first.device, makedev(98, 0));
    EXPECT_EQ(first.root, "/mnt1");
    EXPECT_EQ(first.mountPoint, "/mnt2");
    EXPECT_EQ(first.options, "rw,noatime");
    EXPECT_EQ(first.fsType, "ext3");
    EXPECT_EQ(first.source, "/dev/root");
    EXPECT_EQ(first.superOptions, "rw,errors=continue");

    const MountEntry& disk = table.entries()[1];
    EXPECT_EQ(disk.mountPoint, "/media/My Disk");
    EXPECT_EQ(disk.fsType, "vfat");
    EXPECT_EQ(disk.source, "/dev/sdb1");

    // Escapes are decoded; broken ones are kept as written.
    EXPECT_EQ(table.entries()[2].root, "/sub\\dir");
    EXPECT_EQ(table.entries()[2].mountPoint, "/mnt/tab\tnew\nline");
    EXPECT_EQ(table.entries()[2].source, "user@host:/a b");
    EXPECT_EQ(table.entries()[3].root, "/odd\\04");
    EXPECT_EQ(table.entries()[3].mountPoint, "/nul\\000");

    // A device mounted twice is found at its top mount.
    const MountEntry* stacked = table.findDevice(makedev(8, 2));
    ASSERT_NE(stacked, nullptr);
    EXPECT_EQ(stacked->mountId, 55U);
    EXPECT_EQ(table.findDevice(makedev(8, 99)), nullptr);

    const test::TempDir dir;
    EXPECT_EQ(MountTable::read(dir.write("mountinfo", fixture)).entries().size(), 6U);
    EXPECT_THROW(MountTable::read(dir / "missing"), PlatformError);

    // The kernel's own table knows the device of the root folder.
    const MountTable own = MountTable::read();
    EXPECT_NE(own.findDevice(FileStatus::read("/").device), nullptr);
}

} // namespace
} // namespace tollenvane
