#include "core/records/SessionFilter.h"

#include "core/records/FilterMatcher.h"

namespace tollenvane {

bool SessionFilter::matches(const FileRecord& record, Date now) const
{
    return FilterMatcher(*this, now).matches(record);
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
    filter.minimumSize = json::nonNegativeInt64(json, "minimumSize");
    filter.olderThanDays = json::nonNegativeInt64(json, "olderThanDays");
    filter.largestFirst = json::boolean(json, "largestFirst");
    filter.downloadsOnly = json::boolean(json, "downloadsOnly");
    filter.volumeDevice = json::optionalUInt64(json, "volumeDevice");
    filter.folderPath = json::optionalString(json, "folderPath");
    filter.search = json::string(json, "search");
    filter.includeReviewed = json::boolean(json, "includeReviewed");
    return filter;
}

} // namespace tollenvane
