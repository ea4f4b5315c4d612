#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace tollenvane {

// Reads from the descriptor's position to the end of the file, looping over short reads.
// Nothing when the content exceeds maxBytes (a file may grow while it is read); PlatformError
// when a read fails.
std::optional<std::string>
readToEnd(int fd, std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

} // namespace tollenvane
