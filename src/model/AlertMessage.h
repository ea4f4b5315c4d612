#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// The one alert on screen. Its texts are already in the current language.
struct AlertMessage {
    std::string id; // new for every alert, so that the same words twice are two alerts
    std::string title;
    std::string message;
    // A file or folder name, as it is, that stands for the "{0}" of the message: the screen shows
    // it apart from the words around it and copies it as it is.
    std::optional<std::string> name;

    // A new alert titled with the text of `titleKey`.
    static AlertMessage make(std::string_view titleKey, std::string message,
                             std::optional<std::string> name = std::nullopt);

    bool operator==(const AlertMessage&) const = default;
};

} // namespace tollenvane
