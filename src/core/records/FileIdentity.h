#pragma once

#include <cstdint>
#include <functional>

namespace tollenvane {

// One file on disk whatever its path: hard links share it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

} // namespace tollenvane

template <>
struct std::hash<tollenvane::FileIdentity> {
    std::size_t operator()(const tollenvane::FileIdentity& identity) const noexcept
    {
        const std::size_t a = std::hash<std::uint64_t>{}(identity.device);
        const std::size_t b = std::hash<std::uint64_t>{}(identity.inode);
        return a ^ (b + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2));
    }
};
