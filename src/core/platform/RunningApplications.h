#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tollenvane::RunningApplications {

// The bundle that holds an executable: its nearest ancestor folder whose extension is "app".
std::optional<std::string> bundleOf(const std::string& executable);

// The bundles of the running processes we may inspect, links resolved, without repeats.
// `procRoot` is injectable so that tests can lay out processes of their own.
std::vector<std::string> bundlePaths(const std::string& procRoot = "/proc");

// The bundle of this very program, as the system reports it (not resolved), when it has one.
std::optional<std::string> ownBundle();

} // namespace tollenvane::RunningApplications
