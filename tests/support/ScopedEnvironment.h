#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace tollenvane::test {

// Sets one environment variable, or removes it when given nothing, and puts back what was
// there before when the object goes, so that later tests in the same process see the
// environment they started with.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name))
    {
        if (const char* previous = std::getenv(name_.c_str())) {
            previous_ = previous;
        }
        set(value);
    }
    ~ScopedEnvironment() { set(previous_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void set(const std::optional<std::string>& value) const
    {
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace tollenvane::test
