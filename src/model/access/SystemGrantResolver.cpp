#include "model/access/SystemGrantResolver.h"

#include "core/access/FolderAccess.h"

#include <unistd.h>

namespace tollenvane {

FolderGrant SystemGrantResolver::grant(const std::string& folder, bool favorite) const
{
    return FolderAccess::grant(folder, favorite);
}

Bookmark::Resolved SystemGrantResolver::resolve(const FolderGrant& grant) const
{
    return FolderAccess::resolve(grant);
}

void SystemGrantResolver::validate(const std::string& folder) const
{
    FolderAccess::validate(folder);
}

bool SystemGrantResolver::isReadable(const std::string& folder) const
{
    // A folder that can be read but not entered cannot be scanned either.
    return ::access(folder.c_str(), R_OK | X_OK) == 0;
}

} // namespace tollenvane
