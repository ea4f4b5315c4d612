#pragma once

#include "core/base/SpinLock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace tollenvane {

// Volume UUIDs by device number. A scan asks once per file, so answers are remembered until the
// set of volumes may have changed; an answer read across an invalidation is never stored.
class VolumeIdentityCache {
public:
    // Reads the UUID of the volume holding a path; nothing when the volume has none; throws
    // when the path cannot be examined.
    using Probe = std::function<std::optional<std::string>(const std::string& path)>;

    static constexpr std::size_t capacity = 64;

    explicit VolumeIdentityCache(Probe probe);

    // Cached by device; a failed read counts, and is remembered, as a volume without UUID.
    std::optional<std::string> uuid(const std::string& path, std::uint64_t device);
    // Uncached; passes the probe's error on.
    std::optional<std::string> freshUUID(const std::string& path) const;
    void invalidate();

    std::uint64_t generation() const;
    std::size_t cachedCount() const;

private:
    using Answer = std::shared_ptr<const std::optional<std::string>>;

    Probe probe_;
    // Asked by every thread that reads folders, for every file: a lock that sleeps would have them
    // wake one another all the time. Answers are shared, so that none is copied under it.
    mutable SpinLock lock_;
    std::uint64_t generation_ = 0;
    std::unordered_map<std::uint64_t, Answer> cache_;
};

} // namespace tollenvane
