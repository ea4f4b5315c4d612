#pragma once

#include <cstdint>
#include <optional>

// Whether a disk turns: a hard disk seeks between files read side by side, where a solid-state
// disk reads them as fast as one after the other or faster.
namespace tollenvane::DiskRotation {

// Of the disk holding the file system whose device number is `device` (st_dev), as the kernel
// tells in sysfs; a partition answers for its disk. Nothing when no block device stands
// behind the number (tmpfs, overlay, btrfs, network file systems) or sysfs does not tell.
std::optional<bool> isRotational(std::uint64_t device);

} // namespace tollenvane::DiskRotation
