#include "app/screens/applications/ApplicationSelection.h"

namespace tollenvane {

ApplicationStanding standingOf(const BundleStanding& standing, std::string_view path,
                               const std::set<std::string>& running)
{
    if (standing.protectedApplication || !standing.acceptedLocation) {
        return ApplicationStanding::protectedApplication;
    }
    if (!running.empty() &&
        (running.contains(standing.resolved) || running.contains(std::string(path)))) {
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
