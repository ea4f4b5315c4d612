#include "core/records/SessionCheckpoint.h"

namespace tollenvane {

Json SessionCheckpoint::toJson() const
{
    Json json;
    json["filter"] = filter.toJson();
    json["summary"] = summary.toJson();
    json["started"] = started;
    json::putOptional(json, "selectedPaths", selectedPaths);
    json["receipts"] = json::arrayOf(receipts);
    json::putOptional(json, "volumeUUID", volumeUUID);
    json::putOptional(json, "volumePath", volumePath);
    return json;
}

SessionCheckpoint SessionCheckpoint::fromJson(const Json& json)
{
    json::requireObject(json, "session checkpoint");
    SessionCheckpoint checkpoint;
    checkpoint.filter = SessionFilter::fromJson(json::required(json, "filter"));
    checkpoint.summary = SessionSummary::fromJson(json::required(json, "summary"));
    checkpoint.started = json::date(json, "started");
    if (const Json* paths = json::optional(json, "selectedPaths")) {
        checkpoint.selectedPaths = json::stringList(*paths, "selectedPaths");
    }
    checkpoint.receipts =
        json::listOf<OperationReceipt>(json::required(json, "receipts"), "receipts");
    checkpoint.volumeUUID = json::optionalString(json, "volumeUUID");
    checkpoint.volumePath = json::optionalString(json, "volumePath");
    return checkpoint;
}

} // namespace tollenvane
