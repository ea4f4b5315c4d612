#pragma once

#include <string>

namespace tollenvane {

// Starts and stops the access to an authorised folder. Every start that succeeded is matched
// by one stop. Callable from any thread.
class ScopedAccess {
public:
    virtual ~ScopedAccess() = default;
    virtual bool start(const std::string& folder) = 0;
    virtual void stop(const std::string& folder) = 0;
};

} // namespace tollenvane
