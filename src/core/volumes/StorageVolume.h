#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane {

// A mounted volume the user can tidy, with its capacity as it was read.
struct StorageVolume {
    // What was read: the home folder for the home volume, the mount point for the others.
    std::string path;
    std::string name;
    std::uint64_t device = 0; // st_dev; also the volume's identity
    std::optional<std::string> uuid;
    bool external = false;
    bool readOnly = false;
    std::int64_t total = 0;
    std::int64_t free = 0;      // available capacity as the volume reports it
    std::int64_t available = 0; // the larger of that and the capacity for important usage

    std::uint64_t id() const { return device; }
    std::int64_t used() const { return total > free ? total - free : 0; }
    // Space the system can free on demand.
    std::int64_t purgeable() const { return available > free ? available - free : 0; }

    bool operator==(const StorageVolume&) const = default;
};

} // namespace tollenvane
