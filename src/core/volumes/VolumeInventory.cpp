#include "core/volumes/VolumeInventory.h"

#include "core/base/Path.h"
#include "core/volumes/LinuxVolumeSource.h"

#include <algorithm>

namespace tollenvane::VolumeInventory {

namespace {

bool isInVolumeFolder(std::string_view path)
{
    return std::any_of(volumeFolders.begin(), volumeFolders.end(),
                       [path](std::string_view folder) { return path.starts_with(folder); });
}

bool isListed(const std::vector<StorageVolume>& volumes, std::uint64_t device)
{
    return std::any_of(volumes.begin(), volumes.end(),
                       [device](const StorageVolume& volume) { return volume.device == device; });
}

} // namespace

std::optional<StorageVolume> read(const std::string& path, bool external,
                                  const VolumeSource& source)
{
    const std::optional<VolumeValues> values = source.values(path);
    if (!values) {
        return std::nullopt;
    }
    const std::optional<std::uint64_t> device = source.device(path);
    if (!device) {
        return std::nullopt;
    }
    StorageVolume volume;
    volume.path = external && values->volumePath ? *values->volumePath : path;
    volume.name = values->name.value_or(std::string(path::lastComponent(path)));
    volume.device = *device;
    volume.uuid = source.uuid(path, *device);
    volume.external = external;
    volume.readOnly = values->readOnly.value_or(false);
    volume.total = values->total.value_or(0);
    volume.free = values->available.value_or(0);
    volume.available = std::max(volume.free, values->importantAvailable.value_or(0));
    return volume;
}

std::vector<StorageVolume> list(const VolumeSource& source)
{
    std::vector<StorageVolume> volumes;
    if (const std::optional<std::string> home = source.homeFolder()) {
        if (auto volume = read(*home, false, source)) {
            volumes.push_back(std::move(*volume));
        }
    }
    const auto mounted = source.mountedVolumes();
    if (!mounted) {
        return volumes;
    }
    for (const MountedVolume& candidate : *mounted) {
        // A flag that is not reported counts as not local, as browsable, and as not internal.
        if (!isInVolumeFolder(candidate.path) || candidate.local != true ||
            candidate.browsable == false) {
            continue;
        }
        auto volume = read(candidate.path, candidate.internal != true, source);
        if (volume && !isListed(volumes, volume->device)) {
            volumes.push_back(std::move(*volume));
        }
    }
    return volumes;
}

std::vector<StorageVolume> list()
{
    return list(LinuxVolumeSource::system());
}

} // namespace tollenvane::VolumeInventory
