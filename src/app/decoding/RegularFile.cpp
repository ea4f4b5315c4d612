#include "app/decoding/RegularFile.h"

#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tollenvane {

namespace {

// Non-blocking while opening, so that opening a FIFO with no writer returns at once; blocking
// again once the descriptor is known to be a regular file.
RegularFile checked(UniqueFd fd, const struct stat* same = nullptr)
{
    struct stat status {};
    if (!fd || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    if (same != nullptr && (status.st_dev != same->st_dev || status.st_ino != same->st_ino)) {
        return {};
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return {};
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return {};
    }
    fd.release();
    return {std::move(file), status.st_mtim};
}

} // namespace

RegularFile openRegularFile(const std::string& path)
{
    return checked(UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC)));
}

RegularFile openRegularFileFollowingLinks(const std::string& path)
{
    return checked(UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)));
}

RegularFile reopenRegularFile(int fd)
{
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        return {};
    }
    // The descriptor's own link in /proc names the open file itself, never a path to look up.
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    return checked(UniqueFd(::open(link.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)), &status);
}

} // namespace tollenvane
