#include "core/base/FileContents.h"

#include "core/base/PlatformError.h"

#include <unistd.h>

#include <array>
#include <cerrno>

namespace tollenvane {

std::optional<std::string> readToEnd(int fd, std::size_t maxBytes)
{
    std::string content;
    std::array<char, 65536> buffer{};
    while (true) {
        const ssize_t count = ::read(fd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            PlatformError::throwLast("read");
        }
        if (count == 0) {
            return content;
        }
        if (static_cast<std::size_t>(count) > maxBytes - content.size()) {
            return std::nullopt;
        }
        content.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

} // namespace tollenvane
