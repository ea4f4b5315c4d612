#pragma once

#include "core/access/FolderGrant.h"
#include "core/base/FileError.h"
#include "core/platform/Bookmark.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// Decides which folders may be sources or move destinations, turns a chosen folder into a
// grant and a grant back into a folder. Stateless; callable from any thread.
namespace FolderAccess {

// Locations refused whatever they hold. All paths standardised.
struct Refusals {
    std::vector<std::string> exactPaths;     // refused themselves; what lies below may be used
    std::vector<std::string> roots;          // refused with everything below
    std::vector<std::string> rootExceptions; // below a root, yet not refused by it
    std::vector<std::string> homeFolders;    // with everything below, never refused by a root
    std::vector<std::string> trashFolders;   // refused with everything below

    // This system's lists for the given login names, home folders (as written and resolved) and
    // home trash folders. A home folder that is itself refused ("/", "/var") spares nothing.
    static Refusals make(const std::vector<std::string>& userNames,
                         const std::vector<std::string>& homeFolders,
                         const std::vector<std::string>& trashFolders);

    // For the current user (login name and $USER), $HOME and $XDG_DATA_HOME/Trash, as the
    // environment names them now.
    static Refusals current();
};

// Refusals::current() as of the first use.
const Refusals& systemRefusals();

// The refusal of a location that needs no look at the disk: unsafeSource, or nothing. Exact
// paths and roots are tested on the resolved path, excluded names on the path as passed, the
// trash folders on both. No root refuses the home folder nor what lies below it.
std::optional<FileError> refusal(std::string_view passedPath, std::string_view resolvedPath,
                                 const Refusals& refusals);

// Returns when the location may be a source or a destination; otherwise throws FileError:
// unsafeSource for a refused location, invalidDestination for a relative path, a location
// that cannot be resolved, is missing or is not a folder.
void validate(const std::string& path);
// The same checks for a folder to scan: one that cannot be reached is refused with permission,
// the message of a source whose access is lost, rather than with a destination's.
void validateSource(const std::string& path);
// A refusal of validate() as said of a source.
FileError sourceRefusal(const FileError& refusal);

// The link-resolved, standardised roots that no other one holds, shortest first (equal
// lengths keep their order).
std::vector<std::string> normalizedRoots(const std::vector<std::string>& paths);

// A grant for a validated folder. Also refuses, with unsafeSource, a folder whose resolved path
// passes through an excluded name (every later use would refuse it), and with unsupported one
// whose path is not UTF-8 (the state file could not hold it). Bookmark errors pass on.
FolderGrant grant(const std::string& path, bool favorite);

// Starts no access: callers start and stop it around each use. Throws as Bookmark::resolve.
Bookmark::Resolved resolve(const FolderGrant& grant);

// Folder names never entered nor granted: the fixed set; see isExcludedName for the rule.
const std::set<std::string, std::less<>>& excludedNames();

// One of excludedNames, or a per-volume trash folder ".Trash-<digits>".
bool isExcludedName(std::string_view name);

// Lies in some trash: a component ".Trash", ".Trashes" or ".Trash-<digits>", or at or below the
// home trash folder. Only the text of the path is looked at.
bool isInsideTrash(std::string_view path);

} // namespace FolderAccess
} // namespace tollenvane
