#pragma once

#include "core/volumes/VolumeSource.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace tollenvane::test {

// A machine whose disks the test lists: the first is the home folder's, the others mounted
// under /media. Counts how often the volumes were listed.
class FakeVolumeSource final : public VolumeSource {
public:
    struct Disk {
        std::string path;
        std::uint64_t device = 0;
        std::int64_t total = 0;
        std::int64_t available = 0;
        std::optional<std::string> uuid = std::nullopt;
    };

    std::vector<Disk> disks;
    mutable std::atomic<int> listings = 0;

    std::optional<std::string> homeFolder() const override;
    std::optional<std::vector<MountedVolume>> mountedVolumes() const override;
    std::optional<VolumeValues> values(const std::string& path) const override;
    std::optional<std::uint64_t> device(const std::string& path) const override;
    std::optional<std::string> uuid(const std::string& path, std::uint64_t) const override;

private:
    const Disk* find(const std::string& path) const;
};

} // namespace tollenvane::test
