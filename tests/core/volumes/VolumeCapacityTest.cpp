#include "core/volumes/VolumeCapacity.h"

#include "core/volumes/LinuxVolumeSource.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tollenvane {
namespace {

constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();

// A disk of 66,053,021 blocks of 4 KiB with 61,297,360 free, of which only 20,328,636 are the
// user's: `df` says 19.5 GB used and 83.3 GB available, 19 %. Counting the blocks kept for the
// system as used made it 187.3 GB used of 270.6 GB, 69 %.
TEST(VolumeCapacity, BlocksKeptForTheSystemCountNeitherAsUsedNorAsAvailable)
{
    const VolumeCapacity disk = volumeCapacity({66'053'021, 61'297'360, 20'328'636, 4096});
    EXPECT_EQ(disk.available, 83'266'093'056);
    EXPECT_EQ(disk.total - disk.available, 19'479'187'456);
    EXPECT_EQ(disk.total, 102'745'280'512);
    EXPECT_NEAR(static_cast<double>(disk.total - disk.available) / static_cast<double>(disk.total),
                0.19, 0.005);

    // Nothing kept back: the whole disk is the user's.
    EXPECT_EQ(volumeCapacity({1000, 400, 400, 512}), (VolumeCapacity{512'000, 204'800}));
    // Full for the user, with the system's share still free.
    EXPECT_EQ(volumeCapacity({1000, 50, 0, 1024}), (VolumeCapacity{950 * 1024, 0}));
    // Counts a file system got wrong, and sizes past a signed byte count, stay in range.
    EXPECT_EQ(volumeCapacity({10, 20, 5, 4096}), (VolumeCapacity{5 * 4096, 5 * 4096}));
    const std::uint64_t huge = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(volumeCapacity({huge, 0, huge, 4096}), (VolumeCapacity{largest, largest}));
    EXPECT_EQ(volumeCapacity({huge, 1, 1, 1}).total, largest);
    EXPECT_EQ(volumeCapacity({8, 4, 4, 0}), (VolumeCapacity{0, 0}));
}

// The volume under the build tree, read as the volume list reads it, against df's arithmetic
// on the same statvfs: Used + Avail for the total, Avail for what is left.
TEST(VolumeCapacity, ARealVolumeShowsWhatDfShows)
{
    const test::TempDir folder;
    const auto read = [&folder] {
        struct statvfs figures {};
        EXPECT_EQ(::statvfs(folder.path().c_str(), &figures), 0);
        const auto bytes = [&figures](std::uint64_t blocks) {
            return static_cast<std::int64_t>(blocks * figures.f_frsize);
        };
        return VolumeCapacity{.total = bytes(figures.f_blocks - figures.f_bfree) +
                                       bytes(figures.f_bavail),
                              .available = bytes(figures.f_bavail)};
    };
    // Other programs write to the same disk: the figures are taken between two readings that
    // agree, or else held between them.
    for (int attempt = 0;; ++attempt) {
        const VolumeCapacity before = read();
        const std::optional<VolumeValues> values =
            LinuxVolumeSource::system().values(folder.path());
        const VolumeCapacity after = read();
        ASSERT_TRUE(values);
        ASSERT_TRUE(values->total && values->available);
        const VolumeCapacity shown{*values->total, *values->available};
        EXPECT_GT(shown.total, 0);
        if (before == after) {
            EXPECT_EQ(shown, before);
            return;
        }
        if (attempt == 50) {
            EXPECT_GE(shown.total, std::min(before.total, after.total));
            EXPECT_LE(shown.total, std::max(before.total, after.total));
            EXPECT_GE(shown.available, std::min(before.available, after.available));
            EXPECT_LE(shown.available, std::max(before.available, after.available));
            return;
        }
    }
}

} // namespace
} // namespace tollenvane
