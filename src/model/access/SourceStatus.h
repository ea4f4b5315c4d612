#pragma once

#include <optional>
#include <string>

namespace tollenvane {

// What resolving one folder grant gave: the folder, or why it cannot be used.
struct SourceStatus {
    std::optional<std::string> location; // the resolved folder, links resolved
    std::optional<std::string> error;    // the description of the error met

    static SourceStatus at(std::string location) { return {std::move(location), std::nullopt}; }
    static SourceStatus failed(std::string error) { return {std::nullopt, std::move(error)}; }

    bool operator==(const SourceStatus&) const = default;
};

} // namespace tollenvane
