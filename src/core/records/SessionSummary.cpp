#include "core/records/SessionSummary.h"

#include "core/base/Uuid.h"

namespace tollenvane {

SessionSummary SessionSummary::start()
{
    SessionSummary summary;
    summary.id = uuid::make();
    summary.date = currentDate();
    return summary;
}

void SessionSummary::record(Decision decision, std::int64_t bytes, int direction)
{
    switch (decision) {
    case Decision::keep:
        kept += direction;
        break;
    case Decision::trash:
        trashed += direction;
        trashBytes += bytes * direction;
        break;
    case Decision::move:
        moved += direction;
        break;
    case Decision::later:
        deferred += direction;
        break;
    }
}

Json SessionSummary::toJson() const
{
    Json json;
    json["id"] = id;
    json["date"] = date;
    json["kept"] = kept;
    json["trashed"] = trashed;
    json["moved"] = moved;
    json["deferred"] = deferred;
    json["trashBytes"] = trashBytes;
    return json;
}

SessionSummary SessionSummary::fromJson(const Json& json)
{
    json::requireObject(json, "session summary");
    SessionSummary summary;
    summary.id = json::parsed(json, "id", uuid::canonical);
    summary.date = json::date(json, "date");
    summary.kept = json::nonNegativeInt64(json, "kept");
    summary.trashed = json::nonNegativeInt64(json, "trashed");
    summary.moved = json::nonNegativeInt64(json, "moved");
    summary.deferred = json::nonNegativeInt64(json, "deferred");
    summary.trashBytes = json::nonNegativeInt64(json, "trashBytes");
    return summary;
}

} // namespace tollenvane
