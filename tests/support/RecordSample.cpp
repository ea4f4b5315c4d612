#include "support/RecordSample.h"

#include "core/base/FileUrl.h"

namespace tollenvane::test {

FileRecord RecordSample::record() const
{
    Json json;
    json["url"] = fileUrl(path);
    json["size"] = size;
    json["allocatedSize"] = allocatedSize;
    json["linkCount"] = linkCount;
    json["created"] = distantPast;
    json["modified"] = modified;
    json["kind"] = kind;
    json["screenshot"] = screenshot;
    json["available"] = available;
    json["device"] = device;
    json["inode"] = inode;
    json::putOptional(json, "volumeUUID", volumeUUID);
    json["changeSeconds"] = changeSeconds;
    json["changeNanoseconds"] = changeNanoseconds;
    json::putOptional(json, "packageFingerprint", packageFingerprint);
    return FileRecord::fromJson(json);
}

} // namespace tollenvane::test
