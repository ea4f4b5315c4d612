#pragma once

#include "core/base/Date.h"
#include "core/base/Json.h"
#include "core/records/OperationReceipt.h"
#include "core/records/SessionFilter.h"
#include "core/records/SessionSummary.h"

#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// Enough of a running session to resume it after a restart.
struct SessionCheckpoint {
    SessionFilter filter;
    SessionSummary summary;
    Date started = 0;
    std::optional<std::vector<std::string>> selectedPaths;
    std::vector<OperationReceipt> receipts; // the most recent ones
    std::optional<std::string> volumeUUID;
    std::optional<std::string> volumePath;

    Json toJson() const;
    static SessionCheckpoint fromJson(const Json& json);

    bool operator==(const SessionCheckpoint&) const = default;
};

} // namespace tollenvane
