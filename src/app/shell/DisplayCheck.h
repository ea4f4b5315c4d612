#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// Why the window could not open, or nothing when it can: the desktop platforms need their
// display server named in the environment, and without it Qt would abort with a less helpful
// message. Platforms that draw elsewhere (offscreen, a frame buffer) need none. `platform` is
// the -platform argument, else QT_QPA_PLATFORM; empty lets Qt choose between Wayland and X11.
std::optional<std::string>
missingDisplay(const std::string& platform,
               const std::function<std::string(const char*)>& environment);

// The -platform argument of a Qt command line, else the QT_QPA_PLATFORM variable.
std::string requestedPlatform(const std::vector<std::string>& arguments,
                              const std::function<std::string(const char*)>& environment);

} // namespace tollenvane
