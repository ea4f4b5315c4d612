#pragma once

#include <chrono>
#include <stop_token>

namespace tollenvane {

// A wait that a stop request ends at once; ending early is no error. Nothing for a duration
// of zero or less.
void pauseFor(std::chrono::nanoseconds duration, const std::stop_token& stop);

} // namespace tollenvane
