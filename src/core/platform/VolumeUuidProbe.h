#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane {

// Finds the UUID of the file system that holds a path: the mount source of the path's device
// in the mount table, matched against the links of the by-uuid folder.
class VolumeUuidProbe {
public:
    explicit VolumeUuidProbe(std::string mountInfoPath = "/proc/self/mountinfo",
                             std::string byUuidFolder = "/dev/disk/by-uuid");

    // Throws PlatformError when the path cannot be examined; nothing when its volume has no UUID.
    std::optional<std::string> uuidFor(const std::string& path) const;
    // The same for a device number already at hand; never throws.
    std::optional<std::string> uuidForDevice(std::uint64_t device) const;

private:
    std::string mountInfoPath_;
    std::string byUuidFolder_;
};

} // namespace tollenvane
