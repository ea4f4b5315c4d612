#pragma once

#include "core/applications/AppDataReport.h"
#include "core/applications/ApplicationRegistry.h"
#include "core/applications/RemovedApplication.h"
#include "core/platform/LibraryFolders.h"

#include <set>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

// Finds what removed applications left in the user's library folders. For inspection only:
// nothing here changes a file.
namespace tollenvane::AppDataInventory {

// Two or more parts separated by single dots, each an ASCII letter or digit followed by ASCII
// letters, digits, "_" and "-": the only identifiers safe to use as a name in a folder.
bool isInspectableIdentifier(std::string_view identifier);

// For each removed application in turn, unless its identifier is not inspectable or is the
// vendor's, it is installed (`installedIDs`), something is back at its original place, or
// `registry` (when given) knows a copy outside any trash: the item named after the identifier
// in each library folder, sized. Items that are missing, links or reached through a link are
// left out silently; an item that cannot be measured becomes a problem text. Throws only
// Cancelled.
AppDataReport inspect(const std::vector<RemovedApplication>& removed,
                      const std::set<std::string, std::less<>>& installedIDs,
                      const LibraryFolders& library, const ApplicationRegistry* registry,
                      std::stop_token stop = {});

} // namespace tollenvane::AppDataInventory
