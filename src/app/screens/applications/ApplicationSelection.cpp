#include "app/screens/applications/ApplicationSelection.h"

#include "core/applications/ApplicationInventory.h"
#include "core/base/Path.h"

namespace tollenvane {

const BundleFacts& BundleFactsCache::of(std::string_view bundle)
{
    auto held = bundles_.find(bundle);
    if (held != bundles_.end()) {
        return held->second;
    }
    const std::string path(bundle);
    const std::string folder(path::parent(path::standardised(path)));
    auto accepted = folders_.find(folder);
    if (accepted == folders_.end()) {
        accepted = folders_.emplace(folder, ApplicationInventory::isAcceptedLocation(path)).first;
    }
    return bundles_
        .emplace(path, BundleFacts{.judged = ApplicationInventory::judgedPath(path),
                                   .acceptedLocation = accepted->second})
        .first->second;
}

ApplicationStanding standingOf(const FileRecord& application, const BundleFacts& facts,
                               const std::set<std::string>& running,
                               const std::optional<std::string>& own)
{
    if (ApplicationInventory::isProtected(facts.judged, application.bundleIdentifier(), own) ||
        !facts.acceptedLocation) {
        return ApplicationStanding::protectedApplication;
    }
    if (running.count(facts.judged) > 0 || running.count(std::string(application.path())) > 0) {
        return ApplicationStanding::running;
    }
    return ApplicationStanding::sortable;
}

QString applicationName(std::string_view fileName)
{
    QString name = QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
    const QLatin1String suffix(".app");
    if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive)) {
        name.chop(suffix.size());
    }
    return name;
}

} // namespace tollenvane
