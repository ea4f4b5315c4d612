#include "app/deck/MoveSheetRules.h"

#include "core/records/RecordQueue.h"
#include "model/AppModel.h"

#include <algorithm>

namespace tollenvane {

std::optional<std::string> destinationLocation(const GrantStatuses& statuses, const std::string& id)
{
    const auto found = statuses.find(id);
    return found == statuses.end() ? std::nullopt : found->second.location;
}

std::vector<DestinationRow> destinationRows(const std::vector<FolderGrant>& destinations,
                                            const GrantStatuses& statuses)
{
    std::vector<DestinationRow> rows;
    rows.reserve(destinations.size());
    for (const FolderGrant& grant : destinations) {
        rows.push_back(
            {grant.id, grant.name, grant.favorite, destinationLocation(statuses, grant.id)});
    }
    return rows;
}

std::vector<ParentChoice> parentChoices(const std::vector<FolderGrant>& destinations,
                                        const GrantStatuses& statuses)
{
    std::vector<ParentChoice> choices;
    for (const FolderGrant& grant : destinations) {
        if (destinationLocation(statuses, grant.id)) {
            choices.push_back({grant.id, grant.name});
        }
    }
    return choices;
}

std::optional<std::string> keptParent(const std::optional<std::string>& parentID,
                                      const std::vector<ParentChoice>& choices)
{
    if (!parentID || std::ranges::find(choices, *parentID, &ParentChoice::id) == choices.end()) {
        return std::nullopt;
    }
    return parentID;
}

bool canCreate(const std::string& newFolder, const std::optional<std::string>& parentID,
               bool creating, bool busy)
{
    return parentID && !AppModel::trimmedFolderName(newFolder).empty() && !creating && !busy;
}

std::optional<std::string> currentFileName(const RecordQueue& pending)
{
    const auto first = pending.first();
    if (!first) {
        return std::nullopt;
    }
    return std::string(first->name());
}

} // namespace tollenvane
