#include "core/applications/ApplicationFolderRegistry.h"

#include "core/applications/ApplicationWalk.h"
#include "core/base/Cancellation.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/platform/BundleInfo.h"

#include <utility>

namespace tollenvane {

ApplicationFolderRegistry::ApplicationFolderRegistry(std::vector<std::string> roots)
    : roots_(std::move(roots))
{}

std::optional<std::string> ApplicationFolderRegistry::locate(const std::string& bundleIdentifier,
                                                             std::stop_token stop) const
{
    const std::scoped_lock guard(lock_);
    if (!bundles_) {
        walk(stop);
    }
    const auto found = bundles_->find(bundleIdentifier);
    return found == bundles_->end() ? std::nullopt : std::optional(found->second);
}

void ApplicationFolderRegistry::walk(const std::stop_token& stop) const
{
    std::map<std::string, std::string, std::less<>> found;
    for (const std::string& root : roots_) {
        std::optional<ApplicationWalk> walk;
        try {
            walk.emplace(root);
        } catch (const PlatformError&) {
            continue;
        }
        while (const std::optional<ApplicationWalk::Entry> entry = walk->next()) {
            throwIfCancelled(stop);
            if (!entry->status.isDirectory() ||
                path::toLowerAscii(path::extension(entry->path)) != "app") {
                continue;
            }
            const std::optional<BundleInfo> info = BundleInfo::read(entry->path);
            if (info && info->identifier) {
                found.try_emplace(*info->identifier, entry->path);
            }
        }
    }
    // Kept only when complete: a cancelled walk must not answer later questions.
    bundles_ = std::move(found);
}

} // namespace tollenvane
