#pragma once

#include "core/applications/AppDataCategory.h"

#include <cstdint>
#include <string>

namespace tollenvane {

// One piece of data a removed application left behind.
struct AppDataEntry {
    std::string path;  // as probed, links not resolved; the entry's identity
    std::string owner; // the name of the removed application
    AppDataCategory category = AppDataCategory::cache;
    std::int64_t size = 0; // logical bytes; for a folder, those of the regular files below it

    const std::string& id() const { return path; }

    bool operator==(const AppDataEntry&) const = default;
};

} // namespace tollenvane
