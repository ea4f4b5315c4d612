#pragma once

#include "core/applications/ApplicationCursor.h"
#include "core/applications/ApplicationScanOptions.h"
#include "core/records/BundleSnapshot.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane::ApplicationInventory {

// Resolved paths below these prefixes belong to the system or its package managers; their
// applications are never sorted. Every place that asks uses this one list.
inline constexpr std::array<std::string_view, 14> protectedPrefixes{
    "/System/",          "/Library/",      "/usr/",    "/bin/",  "/sbin/", "/lib/",
    "/lib32/",           "/lib64/",        "/libx32/", "/boot/", "/etc/",  "/snap/",
    "/var/lib/flatpak/", "/var/lib/snapd/"};

// Applications directly inside this folder may be moved without it being an authorised folder.
inline constexpr std::string_view applicationsFolder = "/opt";

// Where applications are installed, in the order they are listed: the machine's folder, then
// the user's own "Applications" folder (left out when the user has no home folder).
std::vector<std::string> roots();

// The installed applications of `roots`, one bundle per step; nothing is read before the
// first pull.
ApplicationCursor scan(std::vector<std::string> roots, ApplicationScanOptions options = {});
ApplicationCursor scan();

inline BundleSnapshot snapshot(const std::string& bundle, std::stop_token stop = {})
{
    return BundleSnapshot::measure(bundle, std::move(stop));
}

// A system application, one of the vendor's, or this program itself.
bool isProtected(const std::string& bundle);
// The same rule on what is already known of a bundle, reading nothing: `judged` is judgedPath()
// of the bundle, `identifier` the one its information declares, `own` ownBundle().
bool isProtected(std::string_view judged, const std::optional<std::string>& identifier,
                 const std::optional<std::string>& own);
// The path the rules judge a bundle by: links resolved, or as written when that fails.
std::string judgedPath(const std::string& bundle);
// This program's own bundle, looked up once.
const std::optional<std::string>& ownBundle();
// One of the running processes executes from inside the bundle. `runningBundles` are resolved
// paths, as RunningApplications::bundlePaths gives them.
bool isRunning(const std::string& bundle, const std::vector<std::string>& runningBundles);
bool isRunning(const std::string& bundle);

// Throws the refusal of the folder that holds the bundle: directly inside the applications folder
// any bundle may go, elsewhere only one in a folder the user could authorise.
void validateLocation(const std::string& bundle);
// The same as an answer, for a screen that must not offer what would be refused.
bool isAcceptedLocation(const std::string& bundle);

// Throws FileError::protectedApplication, FileError::runningApplication, or the refusal of the
// folder that holds the bundle.
void validateOperation(const std::string& bundle);

} // namespace tollenvane::ApplicationInventory
