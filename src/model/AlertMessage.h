#pragma once

#include <string>
#include <string_view>

namespace tollenvane {

// The one alert on screen. Its texts are already in the current language.
struct AlertMessage {
    std::string id; // new for every alert, so that the same words twice are two alerts
    std::string title;
    std::string message;

    // A new alert titled with the text of `titleKey`.
    static AlertMessage make(std::string_view titleKey, std::string message);

    bool operator==(const AlertMessage&) const = default;
};

} // namespace tollenvane
