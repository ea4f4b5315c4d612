#include "app/shell/DisplayCheck.h"

#include <sstream>

namespace tollenvane {

namespace {

// QT_QPA_PLATFORM may list fallbacks ("wayland;xcb"), each with options after a colon.
std::vector<std::string> platformNames(const std::string& platform)
{
    std::vector<std::string> names;
    std::istringstream list(platform);
    std::string entry;
    while (std::getline(list, entry, ';')) {
        entry = entry.substr(0, entry.find(':'));
        if (!entry.empty()) {
            names.push_back(entry);
        }
    }
    return names;
}

bool isWayland(const std::string& name)
{
    return name.starts_with("wayland");
}

} // namespace

std::optional<std::string>
missingDisplay(const std::string& platform,
               const std::function<std::string(const char*)>& environment)
{
    const bool x11 = !environment("DISPLAY").empty();
    const bool wayland = !environment("WAYLAND_DISPLAY").empty();
    std::vector<std::string> names = platformNames(platform);
    if (names.empty()) {
        names = {"wayland", "xcb"};
    }
    for (const std::string& name : names) {
        if (name == "xcb" ? x11 : isWayland(name) ? wayland : true) {
            return std::nullopt;
        }
    }
    return "Tollenvane needs a graphical session: neither DISPLAY (X11) nor WAYLAND_DISPLAY "
           "(Wayland) is set. Start it from the desktop, or set QT_QPA_PLATFORM=offscreen to "
           "run without a screen.";
}

std::string requestedPlatform(const std::vector<std::string>& arguments,
                              const std::function<std::string(const char*)>& environment)
{
    for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-platform" || arguments[i] == "--platform") {
            return arguments[i + 1];
        }
    }
    return environment("QT_QPA_PLATFORM");
}

} // namespace tollenvane
