#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane {

class VolumeIdentityCache;

// The process-wide volume UUID lookup, over the system's mount table.
namespace VolumeIdentity {

std::optional<std::string> uuid(const std::string& path, std::uint64_t device);
std::optional<std::string> freshUUID(const std::string& path);
// Called whenever volumes may have been mounted or unmounted.
void invalidate();

VolumeIdentityCache& shared();

} // namespace VolumeIdentity
} // namespace tollenvane
