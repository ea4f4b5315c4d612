#include "core/applications/RemovedApplication.h"

namespace tollenvane {

Json RemovedApplication::toJson() const
{
    Json json;
    json["id"] = id;
    json["name"] = name;
    json["originalPath"] = originalPath;
    return json;
}

RemovedApplication RemovedApplication::fromJson(const Json& json)
{
    json::requireObject(json, "removed application");
    return {json::string(json, "id"), json::string(json, "name"),
            json::string(json, "originalPath")};
}

} // namespace tollenvane
