#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// Reads from the descriptor's position to the end of the file, looping over short reads.
// Nothing when the content exceeds maxBytes (a file may grow while it is read); PlatformError
// when a read fails.
std::optional<std::string>
readToEnd(int fd, std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// The whole of the regular file at `path`; nothing when there is none. The open never blocks,
// so a FIFO put in the file's place cannot hang the caller, and `openFlags` adds to it (such as
// O_NOFOLLOW). Throws PlatformError naming `what`: EINVAL for anything but a regular file,
// EFBIG beyond maxBytes, else the error of the open or a read.
std::optional<std::string>
readRegularFile(const std::string& path, std::string_view what,
                std::size_t maxBytes = std::numeric_limits<std::size_t>::max(), int openFlags = 0);

} // namespace tollenvane
