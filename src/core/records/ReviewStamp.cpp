#include "core/records/ReviewStamp.h"

#include "core/base/Uuid.h"
#include "core/records/FileRecord.h"

#include <stdexcept>

namespace tollenvane {

namespace {

bool sameVolume(const ReviewStamp& stamp, const FileRecord& file)
{
    // A volume that gained or lost its UUID since the stamp was written is still the same
    // device: only two UUIDs are compared with each other.
    if (stamp.volumeUUID && file.volumeUUID()) {
        return *stamp.volumeUUID == *file.volumeUUID();
    }
    return stamp.device == file.device();
}

} // namespace

ReviewStamp ReviewStamp::of(const FileRecord& file, Decision decision, std::string_view sessionID)
{
    const auto session = uuid::canonical(sessionID);
    if (!session) {
        throw std::invalid_argument("review stamp: the session identifier is not a UUID");
    }
    return {
        .device = file.device(),
        .inode = file.inode(),
        .volumeUUID = file.volumeUUID(),
        .size = file.size(),
        .modified = file.modified(),
        .changeSeconds = file.changeSeconds(),
        .changeNanoseconds = file.changeNanoseconds(),
        .decision = decision,
        .sessionID = *session,
    };
}

bool ReviewStamp::matches(const FileRecord& file) const
{
    return sameVolume(*this, file) && inode == file.inode() && size == file.size() &&
           modified == file.modified() && changeSeconds == file.changeSeconds() &&
           changeNanoseconds == file.changeNanoseconds();
}

bool ReviewStamp::skips(const FileRecord& file, const std::optional<std::string>& session,
                        bool includeReviewed) const
{
    if (!matches(file)) {
        return false;
    }
    if (!includeReviewed && decision == Decision::keep) {
        return true;
    }
    return session && *session == sessionID;
}

Json ReviewStamp::toJson() const
{
    Json json;
    json["device"] = device;
    json["inode"] = inode;
    json::putOptional(json, "volumeUUID", volumeUUID);
    json["size"] = size;
    json["modified"] = modified;
    json["changeSeconds"] = changeSeconds;
    json["changeNanoseconds"] = changeNanoseconds;
    json["decision"] = rawValue(decision);
    json["sessionID"] = sessionID;
    return json;
}

ReviewStamp ReviewStamp::fromJson(const Json& json)
{
    json::requireObject(json, "review stamp");
    ReviewStamp stamp;
    stamp.device = json::uint64(json, "device");
    stamp.inode = json::uint64(json, "inode");
    stamp.volumeUUID = json::optionalString(json, "volumeUUID");
    stamp.size = json::int64(json, "size");
    stamp.modified = json::date(json, "modified");
    stamp.changeSeconds = json::int64(json, "changeSeconds");
    stamp.changeNanoseconds = json::int64(json, "changeNanoseconds");
    stamp.decision = json::parsed(json, "decision", decisionFromRaw);
    stamp.sessionID = json::parsed(json, "sessionID", uuid::canonical);
    return stamp;
}

} // namespace tollenvane
