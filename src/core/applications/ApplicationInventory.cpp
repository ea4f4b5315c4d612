#include "core/applications/ApplicationInventory.h"

#include "core/access/FolderAccess.h"
#include "core/base/FileError.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/platform/BundleInfo.h"
#include "core/platform/RunningApplications.h"
#include "core/platform/XdgFolders.h"

#include <algorithm>
#include <utility>

namespace tollenvane::ApplicationInventory {

std::vector<std::string> roots()
{
    std::vector<std::string> folders{std::string(applicationsFolder)};
    try {
        folders.push_back(path::appending(XdgFolders::home(), "Applications"));
    } catch (const PlatformError&) {
        // Without a home folder only the machine's applications are listed.
    }
    return folders;
}

ApplicationCursor scan(std::vector<std::string> roots, ApplicationScanOptions options)
{
    return ApplicationCursor(std::move(roots), std::move(options));
}

ApplicationCursor scan()
{
    return scan(roots());
}

std::string judgedPath(const std::string& bundle)
{
    try {
        return path::resolved(bundle);
    } catch (const std::exception&) {
        return path::standardised(bundle);
    }
}

const std::optional<std::string>& ownBundle()
{
    static const auto own = RunningApplications::ownBundle();
    return own;
}

bool isProtected(std::string_view judged, const std::optional<std::string>& identifier,
                 const std::optional<std::string>& own)
{
    if (std::any_of(protectedPrefixes.begin(), protectedPrefixes.end(),
                    [judged](std::string_view prefix) { return judged.starts_with(prefix); })) {
        return true;
    }
    if (identifier && identifier->starts_with("com.apple.")) {
        return true;
    }
    return own && judged == *own;
}

bool isProtected(const std::string& bundle)
{
    const auto info = BundleInfo::read(bundle);
    return isProtected(judgedPath(bundle), info ? info->identifier : std::nullopt, ownBundle());
}

bool isRunning(const std::string& bundle, const std::vector<std::string>& runningBundles)
{
    const std::string target = judgedPath(bundle);
    return std::find(runningBundles.begin(), runningBundles.end(), target) != runningBundles.end();
}

bool isRunning(const std::string& bundle)
{
    return isRunning(bundle, RunningApplications::bundlePaths());
}

void validateOperation(const std::string& bundle)
{
    if (isProtected(bundle)) {
        throw FileError(FileError::protectedApplication);
    }
    if (isRunning(bundle)) {
        throw FileError(FileError::runningApplication);
    }
    validateLocation(bundle);
}

void validateLocation(const std::string& bundle)
{
    const std::string standardised = path::standardised(bundle);
    const std::string parent(path::parent(standardised));
    if (parent == applicationsFolder) {
        return;
    }
    FolderAccess::validate(parent);
}

bool isAcceptedLocation(const std::string& bundle)
{
    try {
        validateLocation(bundle);
        return true;
    } catch (const FileError&) {
        return false;
    } catch (const PlatformError&) {
        return false;
    }
}

} // namespace tollenvane::ApplicationInventory
