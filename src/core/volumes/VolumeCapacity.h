#pragma once

#include <cstdint>

namespace tollenvane {

// A volume's block counts as statvfs gives them: every block, the free ones (those kept for the
// system included) and the ones an ordinary user may still fill, each of `fragmentSize` bytes.
struct BlockCounts {
    std::uint64_t blocks = 0;
    std::uint64_t freeBlocks = 0;
    std::uint64_t availableBlocks = 0;
    std::uint64_t fragmentSize = 0;
};

// A volume's size as its user sees it, in bytes.
struct VolumeCapacity {
    std::int64_t total = 0;
    std::int64_t available = 0;

    bool operator==(const VolumeCapacity&) const = default;
};

// What the user can ever have, used plus available: the blocks kept for the system count in
// neither, so that (total - available) / total is the share `df` shows. Clamped to the largest
// signed byte count.
VolumeCapacity volumeCapacity(const BlockCounts& counts);

} // namespace tollenvane
