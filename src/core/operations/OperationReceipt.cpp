#include "core/operations/OperationReceipt.h"

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
    const auto decision = decisionFromRaw(json::string(json, "decision"));
    if (!decision) {
        throw DecodeError("decision: unknown value");
    }
    OperationReceipt receipt{FileRecord::fromJson(json::required(json, "original")), *decision,
                             std::nullopt, std::nullopt, json::optionalString(json, "undoDigest")};
    if (const auto url = json::optionalString(json, "resultingURL")) {
        receipt.resultingPath = pathFromFileUrl(*url);
        if (!receipt.resultingPath) {
            throw DecodeError("resultingURL: not a file URL");
        }
    }
    if (const Json* record = json::optional(json, "resultingRecord")) {
        receipt.resultingRecord = FileRecord::fromJson(*record);
    }
    return receipt;
}

} // namespace tollenvane
