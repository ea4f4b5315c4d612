#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// Reads one environment variable: its value, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The user's preferred languages, most preferred first: each entry of LANGUAGE (a colon-separated
// list), then the first non-empty one of LC_ALL, LC_MESSAGES and LANG. An entry keeps its
// language and territory only ("fr_CA.UTF-8" gives "fr_CA", "sr@latin" gives "sr"); empty
// entries, "C" and "POSIX" name no language and are left out.
std::vector<std::string> preferredLanguages(const EnvironmentLookup& lookup);

// The same from the process's environment.
std::vector<std::string> preferredLanguages();

} // namespace tollenvane
