#include "core/platform/OpenFilesLimit.h"

#include <sys/resource.h>

namespace tollenvane::OpenFilesLimit {

std::uint64_t raise() noexcept
{
    rlimit limits{};
    if (::getrlimit(RLIMIT_NOFILE, &limits) != 0) {
        return 0;
    }
    if (limits.rlim_cur < limits.rlim_max) {
        const rlimit raised{.rlim_cur = limits.rlim_max, .rlim_max = limits.rlim_max};
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            return raised.rlim_cur;
        }
    }
    return limits.rlim_cur;
}

} // namespace tollenvane::OpenFilesLimit
