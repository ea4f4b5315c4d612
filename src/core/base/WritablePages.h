#pragma once

#include <cstddef>

namespace tollenvane {

// Backs the whole pages of [start, start + bytes) with writable memory now. Memory fresh from the
// system is mapped to a shared page of zeros when it is first read, and the first write replaces
// that mapping: every processor that runs one of the process's threads is then interrupted to
// forget the old one, which costs the writer far more than filling the page, on a virtual machine
// most of all. A new record has fields that are read as they are written (bit fields), so storage
// about to be filled with records is prepared first. Best effort: where the system cannot, pages
// come as they are used.
void prepareForWriting(void* start, std::size_t bytes) noexcept;

} // namespace tollenvane
