#include "core/access/FolderAccess.h"

#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/Utf8.h"
#include "core/base/Uuid.h"
#include "core/platform/FreedesktopTrash.h"
#include "core/platform/UserAccount.h"
#include "core/platform/XdgFolders.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace tollenvane::FolderAccess {

namespace {

constexpr std::array<std::string_view, 5> exactSystemPaths = {"/", "/home", "/media", "/mnt",
                                                              "/run/media"};

constexpr std::array<std::string_view, 22> systemRoots = {
    "/System", "/Library", "/Applications", "/bin", "/sbin",  "/usr",   "/private", "/dev",
    "/etc",    "/var",     "/boot",         "/lib", "/lib32", "/lib64", "/libx32",  "/opt",
    "/proc",   "/run",     "/srv",          "/sys", "/snap",  "/tmp"};

// Removable disks are mounted below /run/media, which the /run root would otherwise refuse.
constexpr std::string_view removableMounts = "/run/media";

constexpr std::string_view volumeTrashPrefix = ".Trash-";

// The account's login name and $USER, which may differ (su, containers without an entry).
std::vector<std::string> currentUserNames()
{
    std::vector<std::string> names;
    if (auto account = UserAccount::current(); account && !account->name.empty()) {
        names.push_back(std::move(account->name));
    }
    if (std::string user = XdgFolders::environmentVariable("USER");
        !user.empty() && std::find(names.begin(), names.end(), user) == names.end()) {
        names.push_back(std::move(user));
    }
    return names;
}

// The folder standardised and, when a link leads elsewhere, resolved as well.
std::vector<std::string> withResolvedForm(const std::string& folder)
{
    std::vector<std::string> forms{path::standardised(folder)};
    try {
        if (std::string real = path::resolved(folder); real != forms.front()) {
            forms.push_back(std::move(real));
        }
    } catch (const PlatformError&) {
        // A link loop on the way: the standardised form still serves what is passed through it.
    }
    return forms;
}

// On image-based systems /home is a link into /var, which is refused with everything below.
std::vector<std::string> currentHomeFolders()
{
    try {
        return withResolvedForm(XdgFolders::home());
    } catch (const PlatformError&) {
        return {};
    }
}

std::vector<std::string> homeTrashFolders()
{
    try {
        return withResolvedForm(FreedesktopTrash::homeTrashFolder());
    } catch (const PlatformError&) {
        return {}; // no home folder, so no home trash either
    }
}

bool isSingleComponent(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool isVolumeTrashName(std::string_view name)
{
    if (!name.starts_with(volumeTrashPrefix) || name.size() == volumeTrashPrefix.size()) {
        return false;
    }
    name.remove_prefix(volumeTrashPrefix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isAtOrBelowAny(std::string_view path, const std::vector<std::string>& folders)
{
    return std::any_of(folders.begin(), folders.end(),
                       [&](const std::string& folder) { return path::isAtOrBelow(path, folder); });
}

bool isExactRefused(std::string_view path, const Refusals& refusals)
{
    return std::find(refusals.exactPaths.begin(), refusals.exactPaths.end(), path) !=
           refusals.exactPaths.end();
}

bool isUnderRefusedRoot(std::string_view path, const Refusals& refusals)
{
    return isAtOrBelowAny(path, refusals.roots) && !isAtOrBelowAny(path, refusals.rootExceptions) &&
           !isAtOrBelowAny(path, refusals.homeFolders);
}

bool hasExcludedComponent(std::string_view path)
{
    const std::vector<std::string_view> parts = path::components(path);
    return std::any_of(parts.begin(), parts.end(), isExcludedName);
}

bool isInTrash(std::string_view passedPath, std::string_view resolvedPath, const Refusals& refusals)
{
    return isAtOrBelowAny(path::standardised(passedPath), refusals.trashFolders) ||
           isAtOrBelowAny(resolvedPath, refusals.trashFolders);
}

std::string resolvedLocation(const std::string& path)
{
    // A relative path would name whatever the current folder happens to be.
    if (!path.starts_with('/')) {
        throw FileError(FileError::invalidDestination);
    }
    try {
        return path::resolved(path);
    } catch (const PlatformError&) {
        // A link loop or a folder on the way that cannot be searched: nothing usable is there.
        throw FileError(FileError::invalidDestination);
    }
}

// The resolved path of a location that passes validation.
std::string validatedLocation(const std::string& path, const Refusals& refusals)
{
    const std::string location = resolvedLocation(path);
    if (const auto refused = refusal(path, location, refusals)) {
        throw *refused;
    }
    if (!path::isDirectory(location)) {
        throw FileError(FileError::invalidDestination);
    }
    return location;
}

std::string resolvedOrStandardised(const std::string& path)
{
    try {
        return path::resolved(path);
    } catch (const PlatformError&) {
        // Each root is validated before use, which refuses this one with its own error.
        return path::standardised(path);
    }
}

class ScopedAccess {
public:
    explicit ScopedAccess(std::string path)
        : path_(std::move(path))
        , started_(Bookmark::startAccess(path_))
    {}
    ~ScopedAccess()
    {
        if (started_) {
            Bookmark::stopAccess(path_);
        }
    }
    ScopedAccess(const ScopedAccess&) = delete;
    ScopedAccess& operator=(const ScopedAccess&) = delete;

private:
    std::string path_;
    bool started_;
};

} // namespace

Refusals Refusals::make(const std::vector<std::string>& userNames,
                        const std::vector<std::string>& homeFolders,
                        const std::vector<std::string>& trashFolders)
{
    Refusals refusals;
    refusals.exactPaths.assign(exactSystemPaths.begin(), exactSystemPaths.end());
    for (const std::string& user : userNames) {
        if (isSingleComponent(user)) {
            refusals.exactPaths.push_back(path::appending("/media", user));
            refusals.exactPaths.push_back(path::appending("/run/media", user));
        }
    }
    refusals.roots.assign(systemRoots.begin(), systemRoots.end());
    refusals.rootExceptions.emplace_back(removableMounts);
    for (const std::string& home : homeFolders) {
        std::string folder = path::standardised(home);
        const bool isRefusedItself =
            isExactRefused(folder, refusals) ||
            std::find(refusals.roots.begin(), refusals.roots.end(), folder) != refusals.roots.end();
        if (!isRefusedItself) {
            refusals.homeFolders.push_back(std::move(folder));
        }
    }
    for (const std::string& trash : trashFolders) {
        refusals.trashFolders.push_back(path::standardised(trash));
    }
    return refusals;
}

Refusals Refusals::current()
{
    return make(currentUserNames(), currentHomeFolders(), homeTrashFolders());
}

const Refusals& systemRefusals()
{
    static const Refusals refusals = Refusals::current();
    return refusals;
}

std::optional<FileError> refusal(std::string_view passedPath, std::string_view resolvedPath,
                                 const Refusals& refusals)
{
    if (isExactRefused(resolvedPath, refusals) || isUnderRefusedRoot(resolvedPath, refusals) ||
        hasExcludedComponent(passedPath) || isInTrash(passedPath, resolvedPath, refusals)) {
        return FileError(FileError::unsafeSource);
    }
    return std::nullopt;
}

void validate(const std::string& path)
{
    (void)validatedLocation(path, systemRefusals());
}

void validateSource(const std::string& path)
{
    try {
        validate(path);
    } catch (const FileError& refusal) {
        throw sourceRefusal(refusal);
    }
}

FileError sourceRefusal(const FileError& refusal)
{
    return refusal.errorCase() == FileError::invalidDestination ? FileError(FileError::permission)
                                                                : refusal;
}

std::vector<std::string> normalizedRoots(const std::vector<std::string>& paths)
{
    std::vector<std::string> locations;
    locations.reserve(paths.size());
    std::transform(paths.begin(), paths.end(), std::back_inserter(locations),
                   resolvedOrStandardised);
    std::stable_sort(
        locations.begin(), locations.end(),
        [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    std::vector<std::string> kept;
    for (std::string& location : locations) {
        if (!isAtOrBelowAny(location, kept)) {
            kept.push_back(std::move(location));
        }
    }
    return kept;
}

FolderGrant grant(const std::string& path, bool favorite)
{
    const std::string location = validatedLocation(path, systemRefusals());
    // Scans and file operations validate the resolved folder: a folder reached through a link
    // into an excluded one would be refused at every use, so it is refused now.
    if (hasExcludedComponent(location)) {
        throw FileError(FileError::unsafeSource);
    }
    const std::string standardisedPath = path::standardised(path);
    if (!isValidUtf8(standardisedPath) || !isValidUtf8(location)) {
        throw FileError(FileError::unsupported);
    }
    const ScopedAccess access(path);
    FolderGrant made;
    made.id = uuid::make();
    made.name = path::lastComponent(standardisedPath);
    made.bookmark = Bookmark::create(location);
    made.favorite = favorite;
    made.lastKnownPath = standardisedPath;
    return made;
}

Bookmark::Resolved resolve(const FolderGrant& grant)
{
    return Bookmark::resolve(grant.bookmark);
}

const std::set<std::string, std::less<>>& excludedNames()
{
    static const std::set<std::string, std::less<>> names{"Library",
                                                          ".Trash",
                                                          ".Trashes",
                                                          ".git",
                                                          ".ssh",
                                                          ".gnupg",
                                                          ".aws",
                                                          ".codex",
                                                          ".Spotlight-V100",
                                                          ".fseventsd",
                                                          ".TemporaryItems",
                                                          ".DocumentRevisions-V100",
                                                          "$RECYCLE.BIN",
                                                          "System Volume Information",
                                                          "Backups.backupdb",
                                                          ".TimeMachine"};
    return names;
}

bool isExcludedName(std::string_view name)
{
    return excludedNames().contains(name) || isVolumeTrashName(name);
}

bool isInsideTrash(std::string_view path)
{
    const std::vector<std::string_view> parts = path::components(path);
    const bool trashComponent = std::any_of(parts.begin(), parts.end(), [](std::string_view name) {
        return name == ".Trash" || name == ".Trashes" || isVolumeTrashName(name);
    });
    return trashComponent ||
           isAtOrBelowAny(path::standardised(path), systemRefusals().trashFolders);
}

} // namespace tollenvane::FolderAccess
