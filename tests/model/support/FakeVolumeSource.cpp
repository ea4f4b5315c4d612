#include "model/support/FakeVolumeSource.h"

namespace tollenvane::test {

std::optional<std::string> FakeVolumeSource::homeFolder() const
{
    ++listings; // every listing starts here
    return disks.empty() ? std::nullopt : std::optional(disks.front().path);
}

std::optional<std::vector<MountedVolume>> FakeVolumeSource::mountedVolumes() const
{
    std::vector<MountedVolume> mounted;
    for (std::size_t index = 1; index < disks.size(); ++index) {
        mounted.push_back({disks[index].path, true, false, true});
    }
    return mounted;
}

std::optional<VolumeValues> FakeVolumeSource::values(const std::string& path) const
{
    const Disk* disk = find(path);
    if (disk == nullptr) {
        return std::nullopt;
    }
    VolumeValues values;
    values.total = disk->total;
    values.available = disk->available;
    values.volumePath = disk->path;
    return values;
}

std::optional<std::uint64_t> FakeVolumeSource::device(const std::string& path) const
{
    const Disk* disk = find(path);
    return disk == nullptr ? std::nullopt : std::optional(disk->device);
}

std::optional<std::string> FakeVolumeSource::uuid(const std::string& path, std::uint64_t) const
{
    const Disk* disk = find(path);
    return disk == nullptr ? std::nullopt : disk->uuid;
}

const FakeVolumeSource::Disk* FakeVolumeSource::find(const std::string& path) const
{
    for (const Disk& disk : disks) {
        if (disk.path == path) {
            return &disk;
        }
    }
    return nullptr;
}

} // namespace tollenvane::test
