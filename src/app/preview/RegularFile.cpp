#include "app/preview/RegularFile.h"

#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tollenvane {

RegularFile openRegularFile(const std::string& path)
{
    // Non-blocking, so that opening a FIFO with no writer returns at once.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (!fd || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
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

} // namespace tollenvane
