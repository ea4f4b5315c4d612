#include "core/platform/VolumeIdentityCache.h"

#include <mutex>

namespace tollenvane {

VolumeIdentityCache::VolumeIdentityCache(Probe probe)
    : probe_(std::move(probe))
{}

std::optional<std::string> VolumeIdentityCache::uuid(const std::string& path, std::uint64_t device)
{
    std::uint64_t noted = 0;
    Answer known;
    {
        const std::scoped_lock guard(lock_);
        if (const auto hit = cache_.find(device); hit != cache_.end()) {
            known = hit->second;
        }
        noted = generation_;
    }
    if (known) {
        return *known;
    }
    std::optional<std::string> answer;
    try {
        answer = probe_(path);
    } catch (const std::exception&) {
        // A volume we cannot ask is a volume without UUID: records fall back to device numbers.
    }
    auto shared = std::make_shared<const std::optional<std::string>>(answer);
    const std::scoped_lock guard(lock_);
    if (generation_ == noted) {
        if (cache_.size() >= capacity) {
            cache_.clear();
        }
        cache_.insert_or_assign(device, std::move(shared));
    }
    return answer;
}

std::optional<std::string> VolumeIdentityCache::freshUUID(const std::string& path) const
{
    return probe_(path);
}

void VolumeIdentityCache::invalidate()
{
    const std::scoped_lock guard(lock_);
    ++generation_;
    cache_.clear();
}

std::uint64_t VolumeIdentityCache::generation() const
{
    const std::scoped_lock guard(lock_);
    return generation_;
}

std::size_t VolumeIdentityCache::cachedCount() const
{
    const std::scoped_lock guard(lock_);
    return cache_.size();
}

} // namespace tollenvane
