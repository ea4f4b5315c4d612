#include "core/access/FolderGrant.h"

#include "core/base/Base64.h"
#include "core/base/Uuid.h"

namespace tollenvane {

Json FolderGrant::toJson() const
{
    Json json;
    json["id"] = id;
    json["name"] = name;
    json["bookmark"] = base64::encode(bookmark);
    json["favorite"] = favorite;
    json::putOptional(json, "lastKnownPath", lastKnownPath);
    return json;
}

FolderGrant FolderGrant::fromJson(const Json& json)
{
    json::requireObject(json, "folder grant");
    FolderGrant grant;
    grant.id = json::parsed(json, "id", uuid::canonical);
    grant.name = json::string(json, "name");
    grant.bookmark = json::parsed(json, "bookmark", base64::decode);
    grant.favorite = json::boolean(json, "favorite");
    grant.lastKnownPath = json::optionalString(json, "lastKnownPath");
    return grant;
}

} // namespace tollenvane
