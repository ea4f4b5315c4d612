#include "core/platform/VolumeUuidProbe.h"

#include "core/base/FileStatus.h"
#include "core/base/PlatformError.h"
#include "core/platform/DiskLinks.h"
#include "core/platform/MountTable.h"

#include <utility>

namespace tollenvane {

namespace {

std::optional<std::string> mountSource(const std::string& mountInfoPath, std::uint64_t device)
{
    try {
        const MountTable table = MountTable::read(mountInfoPath);
        if (const MountEntry* entry = table.findDevice(device)) {
            return entry->source;
        }
    } catch (const PlatformError&) {
        // Without a mount table no volume can be named: the answer is "no UUID".
    }
    return std::nullopt;
}

} // namespace

VolumeUuidProbe::VolumeUuidProbe(std::string mountInfoPath, std::string byUuidFolder)
    : mountInfoPath_(std::move(mountInfoPath))
    , byUuidFolder_(std::move(byUuidFolder))
{}

std::optional<std::string> VolumeUuidProbe::uuidFor(const std::string& path) const
{
    return uuidForDevice(FileStatus::read(path).device);
}

std::optional<std::string> VolumeUuidProbe::uuidForDevice(std::uint64_t device) const
{
    const std::optional<std::string> source = mountSource(mountInfoPath_, device);
    return source ? DiskLinks::nameLeadingTo(byUuidFolder_, *source) : std::nullopt;
}

} // namespace tollenvane
