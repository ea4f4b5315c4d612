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
    const auto id = uuid::canonical(json::string(json, "id"));
    if (!id) {
        throw DecodeError("id: not a UUID");
    }
    grant.id = *id;
    grant.name = json::string(json, "name");
    const auto bookmark = base64::decode(json::string(json, "bookmark"));
    if (!bookmark) {
        throw DecodeError("bookmark: not Base64");
    }
    grant.bookmark = *bookmark;
    grant.favorite = json::boolean(json, "favorite");
    grant.lastKnownPath = json::optionalString(json, "lastKnownPath");
    return grant;
}

} // namespace tollenvane
