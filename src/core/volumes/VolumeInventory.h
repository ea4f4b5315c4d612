#pragma once

#include "core/volumes/StorageVolume.h"
#include "core/volumes/VolumeSource.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The volumes the user can tidy, read afresh on every call. Nothing here fails: a volume that
// cannot be read is left out. Callable from any thread.
namespace tollenvane::VolumeInventory {

// Where the system mounts the disks a user plugs in or adds.
inline constexpr std::array<std::string_view, 3> volumeFolders{"/media/", "/run/media/", "/mnt/"};

// The home folder's volume first (not external, its path the home folder itself), then the
// local, browsable volumes mounted in the volume folders, in the system's order; a device
// already listed is not listed again.
std::vector<StorageVolume> list(const VolumeSource& source);
std::vector<StorageVolume> list();

// The volume holding `path`; nothing when it cannot be read. An external volume is known by
// its mount point.
std::optional<StorageVolume> read(const std::string& path, bool external,
                                  const VolumeSource& source);

} // namespace tollenvane::VolumeInventory
