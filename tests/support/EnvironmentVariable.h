#pragma once

#include <optional>
#include <string>

namespace tollenvane::test {

// Sets an environment variable, or unsets it for nothing, until the object goes; then the
// previous state comes back, unset included. TZ takes effect at once, both ways.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const std::optional<std::string>& value);
    ~EnvironmentVariable();
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

} // namespace tollenvane::test
