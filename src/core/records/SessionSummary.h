#pragma once

#include "core/base/Date.h"
#include "core/base/Json.h"
#include "core/records/Decision.h"

#include <cstdint>
#include <string>

namespace tollenvane {

// The totals of one review session; the history keeps nothing else, never names or paths.
struct SessionSummary {
    std::string id; // upper-case UUID
    Date date = 0;
    std::int64_t kept = 0;
    std::int64_t trashed = 0;
    std::int64_t moved = 0;
    std::int64_t deferred = 0;
    std::int64_t trashBytes = 0;

    // A fresh summary: a new identifier, the current time, every counter 0.
    static SessionSummary start();

    std::int64_t total() const { return trashed + kept + moved + deferred; }

    // Counts one decision (direction +1) or withdraws it on undo (direction -1); only a trash
    // decision adds its bytes.
    void record(Decision decision, std::int64_t bytes, int direction);

    Json toJson() const;
    // Every key required; a negative count or byte total reads as 0.
    static SessionSummary fromJson(const Json& json);

    bool operator==(const SessionSummary&) const = default;
};

} // namespace tollenvane
