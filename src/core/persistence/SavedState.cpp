#include "core/persistence/SavedState.h"

namespace tollenvane {

namespace {

template <class Record>
std::vector<Record> optionalList(const Json& json, std::string_view key)
{
    const Json* value = json::optional(json, key);
    return value ? json::listOf<Record>(*value, key) : std::vector<Record>{};
}

} // namespace

Json SavedState::toJson() const
{
    Json json;
    json["sources"] = json::arrayOf(sources);
    json["destinations"] = json::arrayOf(destinations);
    json["history"] = json::arrayOf(history);
    json["preferences"] = preferences.toJson();
    if (pendingSession) {
        json["pendingSession"] = pendingSession->toJson();
    }
    json["removedApplications"] = json::arrayOf(removedApplications);
    return json;
}

SavedState SavedState::fromJson(const Json& json)
{
    json::requireObject(json, "state");
    SavedState state;
    state.sources = optionalList<FolderGrant>(json, "sources");
    state.destinations = optionalList<FolderGrant>(json, "destinations");
    state.history = optionalList<SessionSummary>(json, "history");
    if (const Json* preferences = json::optional(json, "preferences")) {
        state.preferences = Preferences::fromJson(*preferences);
    }
    state.removedApplications = optionalList<RemovedApplication>(json, "removedApplications");
    if (const Json* pending = json::optional(json, "pendingSession")) {
        state.pendingSession = SessionCheckpoint::fromJson(*pending);
    }
    return state;
}

} // namespace tollenvane
