#pragma once

#include "core/applications/AppDataEntry.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tollenvane {

// What one inspection of leftover application data found. Default-constructed, the empty
// report shown before any inspection.
struct AppDataReport {
    static constexpr std::size_t issueLimit = 20;

    std::vector<AppDataEntry> entries; // largest first
    std::vector<std::string> issues;   // the first problems met, at most issueLimit

    bool operator==(const AppDataReport&) const = default;
};

} // namespace tollenvane
