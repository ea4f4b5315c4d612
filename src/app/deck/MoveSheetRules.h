#pragma once

#include "core/access/FolderGrant.h"
#include "model/access/SourceStatus.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

class RecordQueue;

// One remembered destination as the move sheet shows it.
struct DestinationRow {
    std::string id;
    std::string name;
    bool favorite = false;
    // The folder it resolves to now; none while its access must be renewed.
    std::optional<std::string> location;

    bool operator==(const DestinationRow&) const = default;
};

// A reachable destination offered as the parent of a new sub-folder.
struct ParentChoice {
    std::string id;
    std::string name;

    bool operator==(const ParentChoice&) const = default;
};

using GrantStatuses = std::map<std::string, SourceStatus>;

// Where the grant `id` leads by the last resolution; none without an entry or a location.
std::optional<std::string> destinationLocation(const GrantStatuses& statuses,
                                               const std::string& id);

// Every destination in stored order; the location comes from the resolution only.
std::vector<DestinationRow> destinationRows(const std::vector<FolderGrant>& destinations,
                                            const GrantStatuses& statuses);

// The reachable destinations, in stored order.
std::vector<ParentChoice> parentChoices(const std::vector<FolderGrant>& destinations,
                                        const GrantStatuses& statuses);

// The chosen parent while it is still offered; a removed or unreachable one is dropped so
// nothing is created where the user can no longer see it.
std::optional<std::string> keptParent(const std::optional<std::string>& parentID,
                                      const std::vector<ParentChoice>& choices);

// "Créer" is offered for a named folder in a chosen parent when nothing else runs.
bool canCreate(const std::string& newFolder, const std::optional<std::string>& parentID,
               bool creating, bool busy);

// The current card's file name; none when no card remains.
std::optional<std::string> currentFileName(const RecordQueue& pending);

} // namespace tollenvane
