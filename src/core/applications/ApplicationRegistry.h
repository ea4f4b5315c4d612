#pragma once

#include <optional>
#include <stop_token>
#include <string>

namespace tollenvane {

// Which application the system knows under a bundle identifier.
class ApplicationRegistry {
public:
    virtual ~ApplicationRegistry() = default;

    // The bundle registered under the identifier, when there is one. Throws Cancelled when
    // asked to stop.
    virtual std::optional<std::string> locate(const std::string& bundleIdentifier,
                                              std::stop_token stop) const = 0;
};

} // namespace tollenvane
