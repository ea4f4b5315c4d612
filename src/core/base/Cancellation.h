#pragma once

#include <exception>
#include <stop_token>

namespace tollenvane {

// Thrown when a long operation notices that its caller asked it to stop. Never shown to the user.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

inline void throwIfCancelled(const std::stop_token& stop)
{
    if (stop.stop_requested()) {
        throw Cancelled{};
    }
}

} // namespace tollenvane
