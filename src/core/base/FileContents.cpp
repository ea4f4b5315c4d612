#include "core/base/FileContents.h"

#include "core/base/FileStatus.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
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

std::optional<std::string> readRegularFile(const std::string& path, std::string_view what,
                                           std::size_t maxBytes, int openFlags)
{
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | openFlags));
    if (!fd) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        PlatformError::throwLast("open " + std::string(what));
    }
    if (!FileStatus::ofDescriptor(fd.get()).isRegular()) {
        throw PlatformError(EINVAL, std::string(what) + ": not a regular file");
    }
    // The size is checked while reading, not from fstat: the file may grow meanwhile.
    std::optional<std::string> content = readToEnd(fd.get(), maxBytes);
    if (!content) {
        throw PlatformError(EFBIG, std::string(what) + ": larger than " + std::to_string(maxBytes) +
                                       " bytes");
    }
    return content;
}

} // namespace tollenvane
