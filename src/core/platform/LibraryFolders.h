#pragma once

#include <string>

namespace tollenvane {

// The folders where applications keep the user's data, one per kind, as the XDG base
// directory rules place them.
struct LibraryFolders {
    std::string caches;      // $XDG_CACHE_HOME
    std::string logs;        // $XDG_STATE_HOME
    std::string preferences; // $XDG_CONFIG_HOME
    std::string support;     // $XDG_DATA_HOME

    // The current user's. Each folder's parent is resolved, so that a home folder reached
    // through a link (/home -> /var/home) counts as the place itself, while a folder that is
    // itself a link stays one. Throws PlatformError when the user has no home folder.
    static LibraryFolders current();

    bool operator==(const LibraryFolders&) const = default;
};

} // namespace tollenvane
