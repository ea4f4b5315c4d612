#pragma once

#include "core/base/Json.h"

#include <string>

namespace tollenvane {

// An application this system moved to the Trash, remembered so that the data it left behind
// can be shown.
struct RemovedApplication {
    std::string id; // the bundle identifier
    std::string name;
    std::string originalPath;

    Json toJson() const;
    static RemovedApplication fromJson(const Json& json);

    bool operator==(const RemovedApplication&) const = default;
};

} // namespace tollenvane
