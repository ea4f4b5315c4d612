#pragma once

#include <cstdint>

namespace tollenvane {

// Seconds since 2001-01-01 00:00:00 UTC, the form every persisted date takes.
using Date = double;

inline constexpr Date distantPast = -63114076800.0;
inline constexpr double secondsFrom1970To2001 = 978307200.0;

// The one conversion from a file-system timestamp, so that a record read from disk and one
// decoded from JSON hold bit-identical dates.
constexpr Date dateFromTimestamp(std::int64_t seconds, std::uint32_t nanoseconds)
{
    return (static_cast<double>(seconds) + static_cast<double>(nanoseconds) / 1e9) -
           secondsFrom1970To2001;
}

Date currentDate();

} // namespace tollenvane
