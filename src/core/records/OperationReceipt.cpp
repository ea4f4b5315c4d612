#include "core/records/OperationReceipt.h"

#include "core/base/FileUrl.h"

namespace tollenvane {

bool OperationReceipt::canUndo() const
{
    if (decision == Decision::keep || decision == Decision::later) {
        return true;
    }
    return resultingPath.has_value() && resultingRecord.has_value();
}

Json OperationReceipt::toJson() const
{
    Json json;
    json["original"] = original.toJson();
    json["decision"] = rawValue(decision);
    if (resultingPath) {
        json["resultingURL"] = fileUrl(*resultingPath);
    }
    if (resultingRecord) {
        json["resultingRecord"] = resultingRecord->toJson();
    }
    json::putOptional(json, "undoDigest", undoDigest);
    return json;
}

OperationReceipt OperationReceipt::fromJson(const Json& json)
{
    json::requireObject(json, "operation receipt");
    std::optional<FileRecord> resultingRecord;
    if (const Json* record = json::optional(json, "resultingRecord")) {
        resultingRecord = FileRecord::fromJson(*record);
    }
    return {FileRecord::fromJson(json::required(json, "original")),
            json::parsed(json, "decision", decisionFromRaw),
            json::optionalParsed(json, "resultingURL", pathFromFileUrl), std::move(resultingRecord),
            json::optionalString(json, "undoDigest")};
}

} // namespace tollenvane
