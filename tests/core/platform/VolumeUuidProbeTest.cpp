#include "core/platform/VolumeUuidProbe.h"

#include "core/base/FileStatus.h"
#include "support/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/sysmacros.h>

#include <string>

namespace tollenvane {
namespace {

// A by-uuid folder whose links point to files standing for devices, and a mount table naming
// one of them (through a link of its own, with a space in its path) as the source of the
// temporary folder's own device.
class VolumeUuidProbeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("dev nodes/vdz");
        dir.write("dev nodes/other");
        dir.link("../dev nodes/other", "by-uuid/1111-AAAA");
        dir.link("../dev nodes/vdz", "by-uuid/2222-BBBB");
        dir.link("../dev nodes/gone", "by-uuid/3333-CCCC");
        dir.link("vdz", "dev nodes/mapper-vdz");

        device = FileStatus::read(dir.path()).device;
        std::string escapedSource = dir / "dev nodes/mapper-vdz";
        escapedSource.replace(escapedSource.find(' '), 1, "\\040");
        mountInfo = dir.write(
            "mountinfo", "1 0 0:1 / / rw - rootfs rootfs rw\n"
                         "20 1 " +
                             std::to_string(major(device)) + ":" + std::to_string(minor(device)) +
                             " / /mnt/scratch rw shared:1 - ext4 " + escapedSource +
                             " rw\n"
                             "21 1 " +
                             std::to_string(major(pseudo)) + ":" + std::to_string(minor(pseudo)) +
                             " / /run rw - tmpfs tmpfs rw\n");
    }

    const test::TempDir dir;
    const std::uint64_t pseudo = makedev(4000, 7);
    std::uint64_t device = 0;
    std::string mountInfo;
};

TEST_F(VolumeUuidProbeTest, NamesTheLinkToTheMountSourceElseNothing)
{
    const VolumeUuidProbe probe(mountInfo, dir / "by-uuid");
    EXPECT_EQ(probe.uuidForDevice(device), "2222-BBBB");
    EXPECT_EQ(probe.uuidFor(dir.write("file.txt", "x")), "2222-BBBB");
    EXPECT_EQ(probe.uuidFor(dir / "by-uuid/3333-CCCC"), "2222-BBBB"); // the link itself
    EXPECT_EQ(test::platformErrorOf([&] { (void)probe.uuidFor(dir / "missing"); }), ENOENT);

    EXPECT_EQ(probe.uuidForDevice(makedev(4000, 8)), std::nullopt); // not mounted
    EXPECT_EQ(probe.uuidForDevice(pseudo), std::nullopt);           // source is no file
    EXPECT_EQ(VolumeUuidProbe(dir / "missing", dir / "by-uuid").uuidForDevice(device),
              std::nullopt);
    EXPECT_EQ(VolumeUuidProbe(mountInfo, dir / "missing").uuidForDevice(device), std::nullopt);
}

} // namespace
} // namespace tollenvane
