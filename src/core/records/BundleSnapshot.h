#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

namespace tollenvane {

// The sizes of a folder tree and a fingerprint that changes whenever any entry inside it is
// added, removed, replaced, resized or touched, but not when the folder itself is renamed or
// moved within its volume.
struct BundleSnapshot {
    std::int64_t size = 0;          // logical bytes of the regular files inside
    std::int64_t allocatedSize = 0; // their allocated bytes
    std::string fingerprint;        // SHA-256 of one line per entry, 64 lower-case hex digits

    // One pass over the tree, links never followed. Throws FileError::permission when the folder
    // cannot be opened, FileError::changed when an entry vanishes during the walk, PlatformError
    // when a sub-folder cannot be read, Cancelled when asked to stop.
    static BundleSnapshot measure(const std::string& folder, std::stop_token stop = {});

    // Called with each entry's path below the folder right before it is examined, so that tests
    // can change the tree in the middle of a walk.
    using EntryHook = std::function<void(const std::string& relativePath)>;
    static BundleSnapshot measure(const std::string& folder, std::stop_token stop,
                                  const EntryHook& beforeEntry);
};

} // namespace tollenvane
