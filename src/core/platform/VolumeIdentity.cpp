#include "core/platform/VolumeIdentity.h"

#include "core/platform/VolumeIdentityCache.h"
#include "core/platform/VolumeUuidProbe.h"

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
