#pragma once

#include "core/access/FolderGrant.h"
#include "core/platform/Bookmark.h"

#include <string>

namespace tollenvane {

// Turns chosen folders into grants and grants back into folders. Callable from any thread.
class GrantResolver {
public:
    virtual ~GrantResolver() = default;
    // Throws what FolderAccess::grant throws.
    virtual FolderGrant grant(const std::string& folder, bool favorite) const = 0;
    // Throws what Bookmark::resolve throws.
    virtual Bookmark::Resolved resolve(const FolderGrant& grant) const = 0;
    // Throws FileError when the folder may not be used.
    virtual void validate(const std::string& folder) const = 0;
    // The folder's entries can be listed and entered.
    virtual bool isReadable(const std::string& folder) const = 0;
};

} // namespace tollenvane
