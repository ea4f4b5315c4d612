#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// A mount as the volume listing first sees it, hidden mounts left out. A flag that is not
// known is absent.
struct MountedVolume {
    std::string path; // the mount point
    std::optional<bool> local;
    std::optional<bool> internal;
    std::optional<bool> browsable;

    bool operator==(const MountedVolume&) const = default;
};

// What a volume says of itself; each value absent when not reported.
struct VolumeValues {
    std::optional<std::string> name;
    std::optional<bool> readOnly;
    std::optional<std::int64_t> total;
    std::optional<std::int64_t> available;
    std::optional<std::int64_t> importantAvailable;
    std::optional<std::string> volumePath; // the mount point of the volume

    bool operator==(const VolumeValues&) const = default;
};

// Where the volume listing learns about the machine. Flags come with the mount list, so that a
// mount can be passed over before anything is asked of it: a dead network mount would hang a
// single look at it.
class VolumeSource {
public:
    virtual ~VolumeSource() = default;

    // Absolute; nothing when the user has none.
    virtual std::optional<std::string> homeFolder() const = 0;
    // In the system's order; nothing when the system gives no list.
    virtual std::optional<std::vector<MountedVolume>> mountedVolumes() const = 0;
    // Nothing when the volume holding the path cannot be read.
    virtual std::optional<VolumeValues> values(const std::string& path) const = 0;
    // st_dev of the item, links followed; nothing when it cannot be examined.
    virtual std::optional<std::uint64_t> device(const std::string& path) const = 0;
    virtual std::optional<std::string> uuid(const std::string& path,
                                            std::uint64_t device) const = 0;
};

} // namespace tollenvane
