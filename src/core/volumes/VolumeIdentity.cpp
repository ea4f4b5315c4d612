#include "core/volumes/VolumeIdentity.h"

#include "core/platform/VolumeUuidProbe.h"
#include "core/volumes/VolumeIdentityCache.h"

namespace tollenvane::VolumeIdentity {

VolumeIdentityCache& shared()
{
    static VolumeIdentityCache cache(
        [probe = VolumeUuidProbe()](const std::string& path) { return probe.uuidFor(path); });
    return cache;
}

std::optional<std::string> uuid(const std::string& path, std::uint64_t device)
{
    return shared().uuid(path, device);
}

std::optional<std::string> freshUUID(const std::string& path)
{
    return shared().freshUUID(path);
}

void invalidate()
{
    shared().invalidate();
}

} // namespace tollenvane::VolumeIdentity
