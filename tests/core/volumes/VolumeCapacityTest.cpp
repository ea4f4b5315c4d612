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
    // Other programs write to the same disk, and a file may come and go between two readings
    // that agree: the figures are taken when the readings on either side agree with them, or
    // else held within every reading seen. A wrong reckoning misses by far more (the blocks kept
    // for the system).
    VolumeCapacity least{std::numeric_limits<std::int64_t>::max(),
                         std::numeric_limits<std::int64_t>::max()};
    VolumeCapacity most{0, 0};
    for (int attempt = 0;; ++attempt) {
        const VolumeCapacity before = read();
        const std::optional<VolumeValues> values =
            LinuxVolumeSource::system().values(folder.path());
        const VolumeCapacity after = read();
        ASSERT_TRUE(values);
        ASSERT_TRUE(values->total && values->available);
        const VolumeCapacity shown{*values->total, *values->available};
        EXPECT_GT(shown.total, 0);
        if (before == after && shown == before) {
            return;
        }
        for (const VolumeCapacity& seen : {before, after}) {
            least = {std::min(least.total, seen.total), std::min(least.available, seen.available)};
            most = {std::max(most.total, seen.total), std::max(most.available, seen.available)};
        }
        if (attempt == 200) {
            EXPECT_GE(shown.total, least.total);
            EXPECT_LE(shown.total, most.total);
            EXPECT_GE(shown.available, least.available);
            EXPECT_LE(shown.available, most.available);
            return;
        }
    }
}

} // namespace
} // namespace tollenvane
