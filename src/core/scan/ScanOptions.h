#pragma once

#include "core/base/FileStatus.h"
#include "core/base/UniqueFd.h"

#include <chrono>
#include <functional>

namespace tollenvane {

// How a scan paces itself and reaches the disk. The defaults are the real thing; tests and
// benchmarks drop the pause, and tests inject failures that running as root cannot produce.
struct ScanOptions {
    // Opens the folder `name` relative to `parentFd` (AT_FDCWD for a root given by its path)
    // without following a link. Throws PlatformError.
    using FolderOpener = std::function<UniqueFd(int parentFd, const char* name)>;
    // The status of `name` relative to `folderFd`, links not followed. Throws PlatformError.
    using StatusReader = std::function<FileStatus(int folderFd, const char* name)>;

    static UniqueFd openFolder(int parentFd, const char* name);
    // As many as there are cores, at most 8.
    static unsigned defaultWalkerThreads();

    // Before each step, so that other work gets room between batches; a stop request cuts it
    // short.
    std::chrono::nanoseconds pause = std::chrono::milliseconds(2);
    FolderOpener folderOpener = openFolder;
    StatusReader statusReader = FileStatus::readAt;
    // The threads that read folders, the walking one included: with more than one, the others
    // list folders, read statuses and open subfolders ahead of the walk, calling the opener and
    // the reader on their own threads; the walk hands out the same things in the same order.
    unsigned walkerThreads = defaultWalkerThreads();
};

} // namespace tollenvane
