#include "core/records/SessionFilter.h"

#include "core/base/Path.h"
#include "core/localisation/TextSearch.h"
#include "core/platform/UserDirectories.h"
#include "core/records/FileRecord.h"

namespace tollenvane {

namespace {

constexpr double secondsPerDay = 86'400.0;

// A desktop in another language names its download folder otherwise ("Téléchargements"); that
// name counts as well as "Downloads". Read once: it changes only when the user renames it.
const std::string& localDownloadsName()
{
    static const std::string name = [] {
        const auto folder = UserDirectories::downloadFolder();
        const std::string last = folder ? std::string(path::lastComponent(*folder)) : "";
        return last == "Downloads" || last == "/" ? std::string() : last;
    }();
    return name;
}

bool inDownloads(std::string_view recordPath)
{
    const std::string& localName = localDownloadsName();
    for (const std::string_view component : path::components(recordPath)) {
        if (component == "Downloads" || (!localName.empty() && component == localName)) {
            return true;
        }
    }
    return false;
}

bool below(std::string_view recordPath, const std::string& folder)
{
    return recordPath.size() > folder.size() && recordPath.starts_with(folder) &&
           recordPath[folder.size()] == '/';
}

} // namespace

bool SessionFilter::matches(const FileRecord& record, Date now) const
{
    if (volumeDevice && record.device() != *volumeDevice) {
        return false;
    }
    if (!tollenvane::matches(type, record)) {
        return false;
    }
    if (record.size() < minimumSize) {
        return false;
    }
    if (olderThanDays != 0 &&
        !(record.modified() < now + static_cast<double>(olderThanDays) * -secondsPerDay)) {
        return false;
    }
    if (downloadsOnly && !inDownloads(record.path())) {
        return false;
    }
    if (folderPath && !below(record.path(), *folderPath)) {
        return false;
    }
    if (search.empty()) {
        return true;
    }
    return localizedCaseInsensitiveContains(record.name(), search) ||
           localizedCaseInsensitiveContains(path::parent(record.path()), search);
}

Json SessionFilter::toJson() const
{
    Json json;
    json["type"] = rawValue(type);
    json["minimumSize"] = minimumSize;
    json["olderThanDays"] = olderThanDays;
    json["largestFirst"] = largestFirst;
    json["downloadsOnly"] = downloadsOnly;
    json::putOptional(json, "volumeDevice", volumeDevice);
    json::putOptional(json, "folderPath", folderPath);
    json["search"] = search;
    json["includeReviewed"] = includeReviewed;
    return json;
}

SessionFilter SessionFilter::fromJson(const Json& json)
{
    json::requireObject(json, "session filter");
    SessionFilter filter;
    filter.type = json::parsed(json, "type", fileFilterFromRaw);
    filter.minimumSize = json::int64(json, "minimumSize");
    filter.olderThanDays = json::int64(json, "olderThanDays");
    filter.largestFirst = json::boolean(json, "largestFirst");
    filter.downloadsOnly = json::boolean(json, "downloadsOnly");
    filter.volumeDevice = json::optionalUInt64(json, "volumeDevice");
    filter.folderPath = json::optionalString(json, "folderPath");
    filter.search = json::string(json, "search");
    filter.includeReviewed = json::boolean(json, "includeReviewed");
    return filter;
}

} // namespace tollenvane
