#include "core/applications/BundleStanding.h"

#include "core/applications/ApplicationInventory.h"

namespace tollenvane {

BundleStanding BundleStanding::of(const FileRecord& application,
                                  const std::optional<std::string>& own)
{
    const std::string path(application.path());
    BundleStanding standing{.resolved = ApplicationInventory::judgedPath(path),
                            .acceptedLocation = ApplicationInventory::isAcceptedLocation(path)};
    standing.protectedApplication =
        ApplicationInventory::isProtected(standing.resolved, application.bundleIdentifier(), own);
    return standing;
}

BundleStanding BundleStanding::of(const FileRecord& application)
{
    return of(application, ApplicationInventory::ownBundle());
}

} // namespace tollenvane
