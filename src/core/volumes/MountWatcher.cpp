#include "core/volumes/MountWatcher.h"

#include "core/base/FileContents.h"
#include "core/base/PlatformError.h"

#include <fcntl.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>

namespace tollenvane {

MountWatcher::MountWatcher(const std::string& mountInfoPath)
    : file_(::open(mountInfoPath.c_str(), O_RDONLY | O_CLOEXEC))
{
    if (!file_) {
        PlatformError::throwLast("open " + mountInfoPath);
    }
}

void MountWatcher::acknowledge()
{
    // Reading the table again from its start is what clears the mark on every kernel; a failed
    // read only means that the next poll reports once more.
    if (::lseek(file_.get(), 0, SEEK_SET) == 0) {
        try {
            (void)readToEnd(file_.get());
        } catch (const PlatformError&) {
        }
    }
}

bool MountWatcher::wait(std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            std::max(deadline - Clock::now(), Clock::duration::zero()));
        pollfd watched{file_.get(), POLLPRI, 0};
        const int ready = ::poll(&watched, 1,
                                 static_cast<int>(std::min<std::int64_t>(
                                     left.count(), std::numeric_limits<int>::max())));
        if (ready > 0) {
            if ((watched.revents & (POLLPRI | POLLERR)) == 0) {
                return false;
            }
            acknowledge();
            return true;
        }
        // A signal cuts the wait short: wait again for what is left of it.
        if (ready == 0 || errno != EINTR || left.count() == 0) {
            return false;
        }
    }
}

} // namespace tollenvane
