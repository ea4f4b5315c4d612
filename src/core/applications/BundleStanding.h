#pragma once

#include "core/records/FileRecord.h"

#include <optional>
#include <string>

namespace tollenvane {

// What the rules judge an installed application by besides its record: what only the disk can
// tell, read once where the record is read, so that whoever shows the application judges it
// without the disk.
struct BundleStanding {
    // The bundle's path with links resolved, or standardised when that fails: the path the
    // protection rule and the running applications are compared with.
    std::string resolved;
    // A system or vendor application, or this program itself.
    bool protectedApplication = false;
    // The folder that holds the bundle may be changed.
    bool acceptedLocation = true;

    // Reads the disk. `own` is this program's own bundle.
    static BundleStanding of(const FileRecord& application, const std::optional<std::string>& own);
    static BundleStanding of(const FileRecord& application);

    bool operator==(const BundleStanding&) const = default;
};

} // namespace tollenvane
