#include "core/scan/ScanOptions.h"

#include "core/base/PlatformError.h"

#include <fcntl.h>

#include <algorithm>
#include <thread>

namespace tollenvane {

UniqueFd ScanOptions::openFolder(int parentFd, const char* name)
{
    UniqueFd folder(::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder) {
        PlatformError::throwLast("open");
    }
    return folder;
}

unsigned ScanOptions::defaultWalkerThreads()
{
    return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

} // namespace tollenvane
