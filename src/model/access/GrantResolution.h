#pragma once

#include "core/access/FolderGrant.h"
#include "model/access/GrantResolver.h"
#include "model/access/ScopedAccess.h"
#include "model/access/SourceStatus.h"

#include <map>
#include <string>
#include <vector>

namespace tollenvane {

// One pass over the grants: where each one leads now, the folders whose access it started, and
// the bookmarks it renewed. Runs off the main thread; whoever applies it takes over the accesses.
struct GrantResolution {
    std::map<std::string, SourceStatus> statuses; // by grant id
    std::vector<std::string> started;             // in grant order
    std::map<std::string, std::string> renewed;   // grant id to its new bookmark

    // Each grant in turn, sources first; one that fails does not stop the others. A folder whose
    // access was started stays in `started` even when a later check refuses it. A source that
    // cannot be reached is said to have lost its access.
    static GrantResolution of(const std::vector<FolderGrant>& sources,
                              const std::vector<FolderGrant>& destinations,
                              const GrantResolver& resolver, ScopedAccess& access);

    // Stops every access this pass started.
    void release(ScopedAccess& access) const;
};

} // namespace tollenvane
