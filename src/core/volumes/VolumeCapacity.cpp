#include "core/volumes/VolumeCapacity.h"

#include <algorithm>
#include <limits>

namespace tollenvane {

namespace {

constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b)
{
    return a > largest - std::min(b, largest) ? largest : a + b;
}

std::int64_t bytes(std::uint64_t blocks, std::uint64_t blockSize)
{
    if (blockSize != 0 && blocks > largest / blockSize) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(blocks * blockSize);
}

} // namespace

VolumeCapacity volumeCapacity(const BlockCounts& counts)
{
    const std::uint64_t used =
        counts.blocks > counts.freeBlocks ? counts.blocks - counts.freeBlocks : 0;
    return {
        .total = bytes(saturatingSum(used, counts.availableBlocks), counts.fragmentSize),
        .available = bytes(counts.availableBlocks, counts.fragmentSize),
    };
}

} // namespace tollenvane
