#include "support/EnvironmentVariable.h"

#include <cstdlib>
#include <ctime>

namespace tollenvane::test {

namespace {

void set(const char* name, const std::optional<std::string>& value)
{
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
    // The C library reads TZ again only here; a changed time zone takes effect at once.
    ::tzset();
}

std::optional<std::string> current(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace

EnvironmentVariable::EnvironmentVariable(const char* name, const std::optional<std::string>& value)
    : name_(name)
    , previous_(current(name))
{
    set(name_, value);
}

EnvironmentVariable::~EnvironmentVariable()
{
    set(name_, previous_);
}

} // namespace tollenvane::test
