#include "app/screens/applications/ApplicationSelection.h"

#include "app/screens/applications/OrderedApplications.h"
#include "core/applications/ApplicationInventory.h"

namespace tollenvane {

std::vector<FileRecord> selectApplications(const std::vector<FileRecord>& applications,
                                           const ApplicationQuery& query, Date now)
{
    OrderedApplications ordered(query, now);
    ordered.take(applications);
    std::vector<FileRecord> kept;
    kept.reserve(ordered.size());
    for (const std::size_t position : ordered.positions()) {
        kept.push_back(applications[position]);
    }
    return kept;
}

BundleFacts bundleFacts(const std::string& bundle)
{
    return {.judged = ApplicationInventory::judgedPath(bundle),
            .acceptedLocation = ApplicationInventory::isAcceptedLocation(bundle)};
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
