#pragma once

#include <cstdint>

// How many files the process may hold open at once.
namespace tollenvane::OpenFilesLimit {

// Raises the soft limit to the hard one, once at launch: the common default of 1024 is far below
// what the scan, the duplicate search and the file moves may hold open together. A limit that
// cannot be raised stays as it was, which only narrows how much runs at once. Gives the soft limit
// in force afterwards, 0 when the limits cannot be read.
std::uint64_t raise() noexcept;

} // namespace tollenvane::OpenFilesLimit
