#pragma once

#include "core/access/FolderGrant.h"
#include "core/applications/RemovedApplication.h"
#include "core/base/Json.h"
#include "core/records/Preferences.h"
#include "core/records/SessionCheckpoint.h"
#include "core/records/SessionSummary.h"

#include <optional>
#include <vector>

namespace tollenvane {

// Everything remembered between runs apart from the review journal.
struct SavedState {
    std::vector<FolderGrant> sources;
    std::vector<FolderGrant> destinations; // most recently used first
    std::vector<SessionSummary> history;
    Preferences preferences;
    std::vector<RemovedApplication> removedApplications;
    std::optional<SessionCheckpoint> pendingSession;

    Json toJson() const;
    // Tolerant at the top level (a missing or null key takes its default), strict inside: one
    // record that fails to decode fails the whole state.
    static SavedState fromJson(const Json& json);

    bool operator==(const SavedState&) const = default;
};

} // namespace tollenvane
